// ClipInfo's key orders, Sorrend's sections, and the clip list writer against one profile write per key:
// natively against our own profile functions, in the Windows build against the real ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/clip_info.h"
#include "contract/clip_list.h"
#include "flaky_profile.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace platform {
Profile* PlatformProfileFunctions();
}

namespace {

using contract::ClipInfo;
using contract::ClipInfoWriter;
using contract::ClipSection;

std::vector<std::u16string> Keys(const ClipSection& section) {
  std::vector<std::u16string> keys;
  for (const auto& entry : section.entries) keys.push_back(entry.key);
  return keys;
}

std::u16string ValueOf(const ClipSection& section, std::u16string_view key) {
  for (const auto& entry : section.entries) {
    if (entry.key == key) return entry.value;
  }
  return u"<absent>";
}

TEST(ClipInfoSection, KeyLiteralsAndOrderOfEachWriter) {
  const std::vector<std::u16string> common = {u"Path",    u"Filename", u"Reelname", u"Rackname", u"TCIn ",
                                              u"TCOut",   u"MarkIn",   u"MarkOut",  u"Routing",  u"Mode",
                                              u"ClipAuthor", u"Scene", u"Take",     u"Comment"};
  struct Case {
    ClipInfoWriter writer;
    std::vector<std::u16string> tail;  // catches a swapped Name/Attribute or a stray AddToSeq
  } cases[] = {
      {ClipInfoWriter::Moltrin, {u"Attribute", u"Name", u"Length"}},
      {ClipInfoWriter::Fennick, {u"Name", u"Attribute", u"AddToSeq", u"Length"}},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> expected = common;
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(Keys(contract::ClipInfoSection(ClipInfo{}, c.writer)), expected);
  }
}

TEST(ClipInfoSection, NumberLengthStandardAndLongText) {
  ClipInfo clip;
  clip.number = 12;
  clip.length = -3;
  clip.standard = u"PAL";
  clip.comment = u"Vorlane ";
  clip.path = std::u16string(300, u'p');
  const ClipSection section = contract::ClipInfoSection(clip, ClipInfoWriter::Fennick);
  EXPECT_EQ(section.name, u"Clip12");
  EXPECT_EQ(ValueOf(section, u"Length"), u"-3");
  EXPECT_EQ(ValueOf(section, u"Comment"), u"Vorlane ");  // the trailing blank is part of the text
  EXPECT_EQ(ValueOf(section, u"Path"), std::u16string(259, u'p'));
  EXPECT_EQ(ValueOf(section, u"Reelname"), u"");
  for (const auto& entry : section.entries) EXPECT_NE(entry.value, u"PAL") << "Standard is never written";
}

TEST(ReimportedClipSection, CopiesOnlyValuesThatAreNotEmpty) {
  struct Case {
    contract::ReimportedClip clip;
    std::vector<std::u16string> keys;
  } cases[] = {
      {{u"D:\\Audio\\", u"take1.wav", u"VA1", u"Ann", u"4", u"2", u"Take one"},
       {u"PATH", u"FILENAME", u"ROUTING", u"MODE", u"CLIPAUTHOR", u"SCENE", u"TAKE", u"COMMENT", u"NAME"}},
      {{u"D:\\Audio\\", u"take1.wav", u"", u"", u"", u"", u""}, {u"PATH", u"FILENAME", u"MODE", u"COMMENT"}},
      {{}, {u"MODE", u"COMMENT"}},
  };
  for (const Case& c : cases) {
    const ClipSection section = contract::ReimportedClipSection(1, c.clip);
    EXPECT_EQ(section.name, u"CLIP1");
    EXPECT_EQ(Keys(section), c.keys);
    EXPECT_EQ(ValueOf(section, u"MODE"), u"IMPORT");
    EXPECT_EQ(ValueOf(section, u"COMMENT"), u"Reimported from WaveLab");
  }
  contract::ReimportedClip longName;
  longName.name = std::u16string(400, u'n');
  EXPECT_EQ(ValueOf(contract::ReimportedClipSection(0, longName), u"NAME"), std::u16string(259, u'n'));
}

class ClipListFile : public ::testing::Test {
 protected:
  platform::Profile& profile = platform::RealSystem().profile;
  vorlane::test::TempDir dir;
  const std::u16string batched = dir.Join(u"batched.ini");
  const std::u16string perKey = dir.Join(u"perkey.ini");

  void WritePerKey(const std::u16string& file, const ClipSection& section) {
    for (const auto& entry : section.entries) {
      ASSERT_TRUE(profile.WriteString(file, section.name, entry.key, std::u16string_view(entry.value)));
    }
  }
  void WriteBoth(const ClipSection& section) {
    ASSERT_TRUE(contract::WriteClipSection(profile, batched, section));
    WritePerKey(perKey, section);
    // Byte for byte after every clip: each clip is on disk before the next one is written.
    ASSERT_EQ(dir.ReadFile(u"batched.ini"), dir.ReadFile(u"perkey.ini")) << "after section of clip";
  }
  std::u16string Read(const std::u16string& file, std::u16string_view section, std::u16string_view key) {
    return profile.ReadString(file, section, key, u"<missing>", 260).value;
  }
};

// Texts a profile reader gives back for a written value: leading and trailing blanks are not kept.
std::u16string AsRead(std::u16string value) {
  while (!value.empty() && value.back() == u' ') value.pop_back();
  std::size_t start = value.find_first_not_of(u' ');
  return start == std::u16string::npos ? std::u16string() : value.substr(start);
}

TEST_F(ClipListFile, RecordsMatchPerKeyWritesAndReadBackIntact) {
  std::vector<ClipInfo> clips(3);
  clips[0].filename = u"take1.mxf";
  clips[0].name = u"take1.mxf";
  clips[0].routing = u"VA1A2A3A4";
  clips[0].mode = u"IMPORT";
  clips[1].number = 1;
  clips[1].path = u"C:\\Caf\u00e9 \u00dcbung \u20ac\\";       // characters code page 1252 holds
  clips[1].tcIn = u"10:00:00:00";                            // under the key "TCIn " with its blank
  clips[1].comment = u"Vorlane DU-1 ";                       // trailing blank
  clips[1].clipAuthor = u"  leading blanks";
  clips[1].scene = u"a=b;c";
  clips[1].length = 1500;
  clips[2].number = 2;
  clips[2].reelname = std::u16string(259, u'r');
  clips[2].name = std::u16string(258, u'x') + u"\u00e9";
  clips[2].length = -1;

  for (ClipInfoWriter writer : {ClipInfoWriter::Fennick, ClipInfoWriter::Moltrin}) {
    std::error_code ignored;
    std::filesystem::remove(dir.FsPath() / "batched.ini", ignored);
    std::filesystem::remove(dir.FsPath() / "perkey.ini", ignored);
    for (const ClipInfo& clip : clips) WriteBoth(contract::ClipInfoSection(clip, writer));
    for (const ClipInfo& clip : clips) {
      const ClipSection section = contract::ClipInfoSection(clip, writer);
      for (const auto& entry : section.entries) {
        EXPECT_EQ(Read(batched, section.name, entry.key), AsRead(entry.value))
            << platform::Utf16ToUtf8(section.name + u"/" + entry.key);
      }
    }
  }
  const std::string bytes = dir.ReadFile(u"batched.ini");
  EXPECT_NE(bytes.find("Reelname=\r\n"), std::string::npos) << "empty value written as key and '='";
}

TEST_F(ClipListFile, SorrendMergeKeepsWhatTheFileHeld) {
  const std::string existing =
      "[Settings]\r\nszIniFileName=x\r\n\r\n"
      "[Clip0]\r\nPath=C:\\old\\\r\nReelname=reel 7\r\n; remark\r\nName=old name\r\n"
      "[CLIP1]\r\nPATH=C:\\one\\\r\n"
      "[clip3]\r\nFILENAME=three.wav\r\n";
  dir.WriteFile(u"batched.ini", existing);
  dir.WriteFile(u"perkey.ini", existing);

  contract::ReimportedClip clip{u"D:\\Audio\\", u"take1.wav", u"", u"Ann", u"", u"", u"Take one"};
  WriteBoth(contract::ReimportedClipSection(0, clip));
  WriteBoth(contract::ReimportedClipSection(2, clip));  // a new section goes at the end

  EXPECT_EQ(Read(batched, u"CLIP0", u"PATH"), u"D:\\Audio\\");
  EXPECT_EQ(Read(batched, u"CLIP0", u"Reelname"), u"reel 7");
  EXPECT_EQ(Read(batched, u"CLIP0", u"NAME"), u"Take one");
  EXPECT_EQ(Read(batched, u"CLIP1", u"PATH"), u"C:\\one\\");
  EXPECT_EQ(Read(batched, u"CLIP3", u"FILENAME"), u"three.wav");
  EXPECT_EQ(Read(batched, u"Settings", u"szIniFileName"), u"x");
  EXPECT_EQ(Read(batched, u"CLIP2", u"COMMENT"), u"Reimported from WaveLab");
}

TEST_F(ClipListFile, NullRecordAndUnwritableFile) {
  EXPECT_TRUE(contract::SaveClipInfo(profile, batched, nullptr, ClipInfoWriter::Fennick));
  EXPECT_FALSE(std::filesystem::exists(dir.FsPath() / "batched.ini"));

  const std::u16string inMissingDirectory = dir.Join(u"missing/vorlane.ini");
  ClipInfo clip;
  EXPECT_FALSE(contract::SaveClipInfo(profile, inMissingDirectory, &clip, ClipInfoWriter::Fennick));
  EXPECT_FALSE(std::filesystem::exists(dir.FsPath() / "missing"));
}

// Records with what a reading does not give back as written: the key "TCIn " with its blank, values with
// leading and trailing blanks; every other one with characters beyond ASCII, which are written key by key.
std::vector<ClipInfo> AwkwardClips(int count, std::size_t longest) {
  std::vector<ClipInfo> clips(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    ClipInfo& clip = clips[static_cast<std::size_t>(i)];
    clip.number = i;
    clip.path = i % 2 == 0 ? u"C:\\Cafe\\" : u"C:\\Caf\u00e9\\";
    clip.filename = u"take" + platform::FormatInt(i) + u".mxf";
    clip.tcIn = u"10:00:00:00";
    clip.comment = u"Vorlane DU-1 ";
    clip.clipAuthor = u"  lead";
    clip.name = std::u16string(longest, u'n');
    clip.reelname = std::u16string(longest, u'r');
    clip.addToSeq = i % 2 == 0 ? u"" : u"1 ";
    clip.length = i;
  }
  return clips;
}

// A run's clips handed to the writer give the file that one SaveClipInfo per clip gives: on Windows
// one real profile write per key, natively our own functions. Long runs span several writes.
TEST_F(ClipListFile, ARunWrittenAtOnceEqualsOneRecordAtATime) {
  platform::Profile* real = platform::PlatformProfileFunctions();
  struct Case {
    const char* name;
    std::string existing;  // "" no file
    int clips;
    std::size_t longest;
    bool realFunctions;  // the per-clip file through the platform's functions where it has them
    std::size_t batchWeight = contract::kClipBatchWeight;
  };
  const Case cases[] = {
      {"a new clip list", "", 5, 8, true},
      {"a clip list with other sections, one of the same name, remarks and blank lines",
       "[Settings]\r\nszIniFileName=x\r\n\r\n; remark\r\n[clip1]\r\nReelname=old\r\nExtra=kept\r\n", 5, 8, true},
      {"a clip list with a UTF-8 byte-order mark", "\xEF\xBB\xBF[Settings]\r\nk=\xC3\xA9\r\n", 4, 8, true},
      {"a clip list of UTF-16 with its mark", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0", 12), 3, 8, true},
      {"a run of long records over several writes", "", 60, 259, false, 20000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char16_t* file : {u"batched.ini", u"perkey.ini"}) {
      std::error_code ignored;
      std::filesystem::remove(dir.FsPath() / file, ignored);
      if (!c.existing.empty()) dir.WriteFile(file, c.existing);
    }
    platform::Profile& reference = c.realFunctions && real != nullptr ? *real : profile;
    contract::ClipListWriter writer(profile, batched, c.batchWeight);
    for (const ClipInfo& clip : AwkwardClips(c.clips, c.longest)) {
      ASSERT_TRUE(writer.Add(contract::ClipInfoSection(clip, ClipInfoWriter::Fennick)));
      ASSERT_TRUE(contract::SaveClipInfo(reference, perKey, &clip, ClipInfoWriter::Fennick));
    }
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(dir.ReadFile(u"batched.ini"), dir.ReadFile(u"perkey.ini"));
  }
}

// A write that fails takes nothing of its batch into the file; the batches before it stay.
TEST_F(ClipListFile, AFailedWriteLeavesOnlyTheBatchesBeforeIt) {
  vorlane::test::FlakyProfile flaky(profile);
  flaky.failingFile = batched;
  flaky.passing = 1;
  flaky.failures = 1;
  contract::ClipListWriter writer(flaky, batched, 100000);
  const std::vector<ClipInfo> clips = AwkwardClips(60, 259);
  std::size_t accepted = 0;
  for (const ClipInfo& clip : clips) {
    if (!writer.Add(contract::ClipInfoSection(clip, ClipInfoWriter::Moltrin))) break;
    ++accepted;
  }
  ASSERT_EQ(accepted, clips.size()) << "the first batch is written while the run goes on";
  EXPECT_FALSE(writer.Flush());
  const std::size_t inFile = dir.ReadFile(u"batched.ini").find("[Clip" + std::to_string(accepted - 1) + "]");
  EXPECT_EQ(inFile, std::string::npos);
  EXPECT_EQ(Read(batched, u"Clip0", u"Filename"), u"take0.mxf");
  EXPECT_EQ(Read(batched, u"Clip" + platform::FormatInt(static_cast<int>(accepted) - 1), u"Filename"), u"<missing>");
}

}  // namespace
