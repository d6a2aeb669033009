// Sorrend's discovery and re-import over real files and profile functions in a temporary directory,
// with a fake host library and a fake registry.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "flaky_profile.h"
#include "platform/fake/fake_registry.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "reimport.h"
#include "temp_dir.h"
#include "wavelab_discovery.h"

namespace {

namespace fs = std::filesystem;
using platform::Utf16ToUtf8;

class FakeHost : public sorrend::HostServices {
 public:
  std::optional<std::u16string> renderPath;
  std::optional<std::u16string> applicationDirectory;
  std::vector<std::u16string> asked;

  std::optional<std::u16string> DefaultRenderPath() override { return renderPath; }
  std::optional<std::u16string> ApplicationDirectory() override { return applicationDirectory; }
  bool FileExists(const std::u16string& path) override {
    asked.push_back(path);
    const auto entry = platform::RealSystem().files.Attributes(path);
    return entry && !entry->isDirectory;
  }
};

platform::System WithProfile(platform::Profile& profile) {
  platform::System& real = platform::RealSystem();
  return {profile,     real.registry, real.files,      real.processes, real.clock,
          real.windows, real.dragDrop, real.automation, real.dialogs};
}

std::u16string Sep() { return std::u16string(1, platform::PathSeparator()); }

class Reimport : public ::testing::Test {
 protected:
  vorlane::test::TempDir dir;
  vorlane::test::FlakyProfile profile{platform::RealSystem().profile};
  platform::System system = WithProfile(profile);
  FakeHost host;
  const std::u16string modulePath = dir.Join(u"plugins/Sorrend.so");
  const std::u16string clipList = dir.Join(u"plugins/Vorlane.INI");
  const std::u16string audioDir = dir.Join(u"audio") + Sep();

  void SetUp() override {
    fs::create_directories(dir.FsPath() / "plugins");
    fs::create_directories(dir.FsPath() / "render" / "Dovrel");
    host.renderPath = dir.Join(u"render") + Sep();
    dir.WriteFile(u"audio/take1.wav", "RIFF");
    dir.WriteFile(u"audio/take2.wav", "RIFF");
  }

  static std::string Srb(int modified, const std::u16string& path, std::string_view filename,
                         std::string_view more = "ROUTING=VA1\r\nNAME=clip\r\n") {
    return "[CLIP 0]\r\n__MODIFIED=" + std::to_string(modified) + "\r\nPATH=" + Utf16ToUtf8(path) +
           "\r\nFILENAME=" + std::string(filename) + "\r\n" + std::string(more);
  }
  void WriteSrb(std::string_view name, const std::string& bytes) {
    dir.WriteFile(u"render/Dovrel/" + platform::Utf8ToUtf16(name), bytes);
  }
  std::string ReadSrb(std::string_view name) { return dir.ReadFile(u"render/Dovrel/" + platform::Utf8ToUtf16(name)); }

  int Run() { return sorrend::ReimportEditedAudio(system, host, modulePath); }
  std::u16string Listed(std::u16string_view section, std::u16string_view key) {
    return profile.ReadString(clipList, section, key, u"<absent>", 260).value;
  }
  std::int32_t Modified(std::string_view name) {
    return profile.ReadInt(dir.Join(u"render/Dovrel/" + platform::Utf8ToUtf16(name)), u"Clip 0", u"__MODIFIED", -1);
  }
  // The SRB names in the order the search yields them.
  std::vector<std::u16string> SearchOrder() {
    std::vector<std::u16string> names;
    for (const auto& entry : system.files.Find(dir.Join(u"render/Dovrel/*.SRB"))) names.push_back(entry.name);
    return names;
  }
};

TEST_F(Reimport, ListsModifiedClipsInSearchOrderAndClearsOnlyTheirFlags) {
  WriteSrb("a.SRB", Srb(1, audioDir, "take1.wav"));
  WriteSrb("b.SRB", Srb(0, audioDir, "take1.wav"));
  WriteSrb("c.SRB", Srb(1, audioDir, "take2.wav", "ROUTING=\r\nCLIPAUTHOR=Ann\r\n"));
  const std::string untouched = ReadSrb("b.SRB");

  ASSERT_EQ(Run(), 2);
  std::vector<std::u16string> listedFiles;
  for (const auto& name : SearchOrder()) {
    if (name != u"b.SRB") listedFiles.push_back(name == u"a.SRB" ? u"take1.wav" : u"take2.wav");
  }
  ASSERT_EQ(listedFiles.size(), 2u);
  EXPECT_EQ(Listed(u"CLIP0", u"FILENAME"), listedFiles[0]);
  EXPECT_EQ(Listed(u"CLIP1", u"FILENAME"), listedFiles[1]);
  EXPECT_EQ(Listed(u"CLIP2", u"MODE"), u"<absent>");

  const std::u16string second = listedFiles[0] == u"take2.wav" ? u"CLIP0" : u"CLIP1";
  EXPECT_EQ(Listed(second, u"PATH"), audioDir);
  EXPECT_EQ(Listed(second, u"ROUTING"), u"<absent>") << "an empty ROUTING is left out";
  EXPECT_EQ(Listed(second, u"CLIPAUTHOR"), u"Ann");
  EXPECT_EQ(Listed(second, u"MODE"), u"IMPORT");
  EXPECT_EQ(Listed(second, u"COMMENT"), u"Reimported from WaveLab");
  EXPECT_EQ(Listed(second, u"NAME"), u"<absent>");

  EXPECT_EQ(Modified("a.SRB"), 0);
  EXPECT_EQ(Modified("c.SRB"), 0);
  EXPECT_EQ(ReadSrb("b.SRB"), untouched);
  EXPECT_EQ(Run(), 0) << "cleared flags are not offered again";
}

TEST_F(Reimport, CopiesLeftByAnInterruptedRewriteAreRemovedAndNeverListed) {
  // A host killed while a flag was cleared: the file kept its old copy, and nothing rewrites it again.
  WriteSrb("a.SRB", Srb(0, audioDir, "take1.wav"));
  WriteSrb("a.SRB.new", Srb(1, audioDir, "take1.wav"));
  WriteSrb("b.SRB", Srb(1, audioDir, "take2.wav"));
  dir.WriteFile(u"plugins/Vorlane.INI.new", "[CLIP0]\r\nFILENAME=take1.wav\r\n");

  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Listed(u"CLIP0", u"FILENAME"), u"take2.wav");
  EXPECT_EQ(Listed(u"CLIP1", u"FILENAME"), u"<absent>");
  EXPECT_FALSE(fs::exists(dir.FsPath() / "render" / "Dovrel" / "a.SRB.new"));
  EXPECT_FALSE(fs::exists(dir.FsPath() / "plugins" / "Vorlane.INI.new"));
}

TEST_F(Reimport, PathAndFileNameAreJoinedAsTheyStand) {
  const std::u16string withoutSeparator = dir.Join(u"audio");
  WriteSrb("a.SRB", Srb(1, withoutSeparator, "take1.wav"));
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(host.asked, std::vector<std::u16string>{withoutSeparator + u"take1.wav"});
  EXPECT_EQ(Modified("a.SRB"), 1);

  dir.WriteFile(u"audiotake1.wav", "RIFF");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Listed(u"CLIP0", u"PATH"), withoutSeparator);
}

TEST_F(Reimport, WithoutDescriptionFilesTheClipListIsNotTouched) {
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(fs::exists(dir.FsPath() / "plugins" / "Vorlane.INI"));

  dir.WriteFile(u"plugins/Vorlane.INI", "[CLIP0]\r\nPATH=x\r\n\r\n");
  WriteSrb("a.SRB", Srb(0, audioDir, "take1.wav"));
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(dir.ReadFile(u"plugins/Vorlane.INI"), "[CLIP0]\r\nPATH=x\r\n\r\n");
}

TEST_F(Reimport, AnOlderClipListKeepsWhatTheNewClipDoesNotSupply) {
  dir.WriteFile(u"plugins/Vorlane.INI",
                "[CLIP0]\r\nPATH=old\r\nSCENE=9\r\nNAME=old\r\n[CLIP1]\r\nNAME=one\r\n[CLIP2]\r\nNAME=two\r\n"
                "[CLIP3]\r\nNAME=three\r\n");
  WriteSrb("a.SRB", Srb(1, audioDir, "take1.wav"));
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Listed(u"CLIP0", u"PATH"), audioDir);
  EXPECT_EQ(Listed(u"CLIP0", u"NAME"), u"clip");
  EXPECT_EQ(Listed(u"CLIP0", u"SCENE"), u"9");
  EXPECT_EQ(Listed(u"CLIP1", u"NAME"), u"one");
  EXPECT_EQ(Listed(u"CLIP3", u"NAME"), u"three");
}

TEST_F(Reimport, AClipThatCouldNotBeWrittenStaysModifiedAndKeepsNoNumber) {
  WriteSrb("a.SRB", Srb(1, audioDir, "take1.wav"));
  WriteSrb("c.SRB", Srb(1, audioDir, "take2.wav"));
  const std::u16string first = SearchOrder().front();
  const std::u16string other = first == u"a.SRB" ? u"c.SRB" : u"a.SRB";
  // The run's single write fails, and so does the first clip's own write after it.
  profile.failingFile = clipList;
  profile.failures = 2;

  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Modified(Utf16ToUtf8(first)), 1) << "a failed write must not clear the flag";
  EXPECT_EQ(Modified(Utf16ToUtf8(other)), 0);
  EXPECT_EQ(Listed(u"CLIP0", u"FILENAME"), other == u"a.SRB" ? u"take1.wav" : u"take2.wav");
  EXPECT_EQ(Listed(u"CLIP1", u"MODE"), u"<absent>");

  ASSERT_EQ(Run(), 1) << "offered again at the next run";
  EXPECT_EQ(Modified(Utf16ToUtf8(first)), 0);
}

// An older clip list whose rewrite brings byte-order-mark bytes to the front reads as UTF-16 afterwards:
// the host cannot read the new clip, so its flag must stay.
TEST_F(Reimport, AClipThatDoesNotReadBackStaysModified) {
  dir.WriteFile(u"plugins/Vorlane.INI", std::string("\r\n\xFF\xFE=x\r\n[OLD]\r\nkeep=1\r\n"));
  WriteSrb("a.SRB", Srb(1, audioDir, "take1.wav"));
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Listed(u"CLIP0", u"PATH"), u"<absent>");
  EXPECT_EQ(Modified("a.SRB"), 1);

  // A clip list the host reads back consumes the flag.
  fs::remove(dir.FsPath() / "plugins" / "Vorlane.INI");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Listed(u"CLIP0", u"PATH"), audioDir);
  EXPECT_EQ(Modified("a.SRB"), 0);
}

TEST_F(Reimport, AClipListThatCannotBeWrittenLeavesEveryClipModified) {
  const fs::path onDisk = dir.FsPath() / "plugins" / "Vorlane.INI";
  const std::function<void()> blockers[] = {
      // A directory in the clip list's place cannot be written on any build, also not by an administrator.
      [&] { fs::create_directory(onDisk); },
      // A clip list beyond the profile file limit is not read, so nothing is added to it (sparse: no time to write).
      [&] {
        dir.WriteFile(u"plugins/Vorlane.INI", "[CLIP0]\r\nMODE=IMPORT\r\n");
        fs::resize_file(onDisk, platform::kMaxProfileFileBytes + 1);
      },
  };
  for (const auto& block : blockers) {
    block();
    WriteSrb("a.SRB", Srb(1, audioDir, "take1.wav"));
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Modified("a.SRB"), 1);
    if (fs::is_regular_file(onDisk)) {
      EXPECT_EQ(fs::file_size(onDisk), platform::kMaxProfileFileBytes + 1);
    }

    fs::remove(onDisk);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Listed(u"CLIP0", u"FILENAME"), u"take1.wav");
    EXPECT_EQ(Modified("a.SRB"), 0);
    fs::remove(onDisk);
  }
}

TEST_F(Reimport, BadDescriptionFilesAreSkippedOrCut) {
  std::string junk;
  for (int i = 0; i < 2048; ++i) junk.push_back(static_cast<char>((i * 151 + 7) % 256));
  const std::u16string longPath = audioDir + std::u16string(250 - audioDir.size(), u'd') + Sep();
  WriteSrb("1.SRB", "not an ini file\r\n__MODIFIED=1\r\n");
  WriteSrb("2.SRB", junk);
  WriteSrb("3.SRB", Srb(1, longPath, std::string(20, 'f')));  // PATH and FILENAME together past 259
  WriteSrb("4.SRB", Srb(1, audioDir, "missing.wav"));
  WriteSrb("5.SRB", Srb(1, audioDir, "take1.wav", "NAME=" + std::string(400, 'n') + "\r\n"));

  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(Listed(u"CLIP0", u"NAME"), std::u16string(259, u'n'));
  for (const auto& asked : host.asked) EXPECT_LE(asked.size(), 259u);
  EXPECT_EQ(Modified("3.SRB"), 1);
  EXPECT_EQ(Modified("4.SRB"), 1);
}

TEST_F(Reimport, SendFolderWithoutRoomForThePatternIsNotSearched) {
  // The send folder fits 259 characters, the folder with "*.SRB" does not.
  const std::u16string base = dir.Path() + Sep();
  const std::u16string render = std::u16string(247 - base.size(), u'r');
  host.renderPath = base + render + Sep();
  ASSERT_EQ(sorrend::SendFolder(host)->size(), 255u);
  try {
    dir.WriteFile(render + u"/Dovrel/a.SRB", Srb(1, audioDir, "take1.wav"));
  } catch (const std::exception&) {
    GTEST_SKIP() << "this file system cannot hold a path of 260 characters";
  }
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(host.asked.size(), 0u);
}

TEST(SendFolder, RenderPathThenApplicationDirectoryThenRelative) {
  const std::u16string dovrel = platform::NativeSeparators(u"Dovrel\\");
  struct Case {
    std::optional<std::u16string> render, application;
    std::optional<std::u16string> folder;
  } cases[] = {
      {u"R" + Sep(), u"A" + Sep(), u"R" + Sep() + dovrel},
      {std::nullopt, u"A" + Sep(), u"A" + Sep() + dovrel},
      {std::nullopt, u"A", u"A" + dovrel},  // no separator is added
      {std::nullopt, std::nullopt, dovrel},
      {std::u16string(252, u'r'), std::nullopt, std::u16string(252, u'r') + dovrel},  // exactly 259
      {std::u16string(253, u'r'), std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    FakeHost host;
    host.renderPath = c.render;
    host.applicationDirectory = c.application;
    EXPECT_EQ(sorrend::SendFolder(host), c.folder);
  }
}

TEST(ClipListPath, DirectoryOfTheModuleAndFixedName) {
  EXPECT_EQ(sorrend::ClipListPath(platform::NativeSeparators(u"\\plugins\\Sorrend.x")),
            platform::NativeSeparators(u"\\plugins\\Vorlane.INI"));
  EXPECT_EQ(sorrend::ClipListPath(u""), std::nullopt);
  EXPECT_EQ(sorrend::ClipListPath(Sep() + std::u16string(250, u'p') + Sep() + u"S.so"), std::nullopt) << "no room for the name";
}

TEST(FindWaveLab, OnlyTheFirstKeyThatOpensCounts) {
  vorlane::test::TempDir dir;
  dir.WriteFile(u"WaveLab.exe", "MZ");
  const std::u16string exists = dir.Join(u"WaveLab.exe");
  const std::u16string missing = dir.Join(u"gone.exe");
  const std::u16string base = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
  struct Case {
    const char* what;
    std::map<std::u16string, std::u16string> keys;
    bool found;
  } cases[] = {
      {"no key", {}, false},
      {"WaveLab.exe", {{base + u"WaveLab.exe", exists}}, true},
      {"Lite only", {{base + u"WaveLab Lite.exe", exists}}, true},
      {"directory counts", {{base + u"WaveLab Essential.exe", dir.Path()}}, true},
      {"missing path does not fall through",
       {{base + u"WaveLab.exe", missing}, {base + u"WaveLab Essential.exe", exists}}, false},
      {"value too long for 520 bytes", {{base + u"WaveLab.exe", std::u16string(260, u'x')}}, false},
      {"empty value", {{base + u"WaveLab.exe", u""}, {base + u"WaveLab Lite.exe", exists}}, false},
  };
  for (const Case& c : cases) {
    platform::fake::FakeRegistry registry;
    for (const auto& [key, value] : c.keys) registry.SetValue(key, std::nullopt, value);
    EXPECT_EQ(sorrend::FindWaveLab(registry, platform::RealSystem().files), c.found) << c.what;
  }
}

}  // namespace
