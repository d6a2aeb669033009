// The built Sorrend module, loaded as the host loads it, with the stand-in host libraries answering.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "hostlib/standin.h"
#include "platform/abi.h"
#include "platform/module_loader.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "read_only.h"
#include "temp_dir.h"
#include "test_registry.h"

namespace {

namespace fs = std::filesystem;
using vorlane::test::TempDir;

std::u16string Sep() { return std::u16string(1, platform::PathSeparator()); }

constexpr char16_t kAppPaths[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr const char16_t* kWaveLabKeys[] = {u"WaveLab.exe", u"WaveLab Essential.exe", u"WaveLab Lite.exe"};

class SorrendModule : public ::testing::Test {
 protected:
  TempDir dir;
  vorlane::test::TestRegistry registry;
  void* module = nullptr;
  std::int32_t(VORLANE_CALL* startup)() = nullptr;
  std::int32_t(VORLANE_CALL* getMenuName)(char*, std::int32_t, std::int32_t*) = nullptr;
  std::uint32_t(VORLANE_CALL* getFlags)() = nullptr;
  std::int32_t(VORLANE_CALL* execute)(const char*) = nullptr;
  std::int32_t(VORLANE_CALL* getComment)(char*, std::int32_t) = nullptr;
  std::u16string render;

  void SetUp() override {
    fs::create_directories(dir.FsPath() / "plugins");
    const fs::path copy = dir.FsPath() / "plugins" / SORREND_MODULE_NAME;
    fs::copy_file(fs::path(VORLANE_BIN_DIR) / SORREND_MODULE_NAME, copy);
    const platform::ModuleLoad load = platform::LoadPluginModule(copy.u16string());
    ASSERT_NE(load.module, nullptr) << load.error;
    module = load.module;
    Bind(startup, "Startup", 0);
    Bind(getMenuName, "GetMenuName", 12);
    Bind(getFlags, "GetFlags", 0);
    Bind(execute, "Execute", 4);
    Bind(getComment, "GetComment", 8);
    render = dir.Join(u"render") + Sep();
    RuskaneStandInSetRenderPath(render.c_str());
    CorvanaStandInSetAppDirectory(nullptr);
    dir.WriteFile(u"audio/take1.wav", "RIFF");
  }
  void TearDown() override {
    RuskaneStandInSetRenderPath(nullptr);
    if (module != nullptr) platform::UnloadPluginModule(module);
  }
  // Replaces the WaveLab App Paths keys of the machine by `keys` (name below App Paths -> default value).
  void SetWaveLabAppPaths(const std::vector<std::pair<std::u16string, std::u16string>>& keys) {
    for (const char16_t* key : kWaveLabKeys) registry.RemoveKey(kAppPaths + std::u16string(key));
    for (const auto& [key, value] : keys) registry.Set(kAppPaths + key, u"", value);
  }
  template <typename F>
  void Bind(F& function, const char* name, int bytes) {
    function = reinterpret_cast<F>(platform::FindModuleSymbol(module, platform::EntryPointSymbol(name, bytes).c_str()));
    ASSERT_NE(function, nullptr) << name;
  }

  void WriteModifiedSrb(std::u16string_view folder, std::u16string_view name) {
    dir.WriteFile(std::u16string(folder) + u"/" + std::u16string(name),
                  "[CLIP 0]\r\n__MODIFIED=1\r\nPATH=" + platform::Utf16ToUtf8(dir.Join(u"audio") + Sep()) +
                      "\r\nFILENAME=take1.wav\r\n");
  }
  int Modified(std::u16string_view srb) {
    return platform::RealSystem().profile.ReadInt(dir.Join(srb), u"CLIP 0", u"__MODIFIED", -1);
  }
  std::u16string Listed(std::u16string_view key) {
    return platform::RealSystem().profile.ReadString(dir.Join(u"plugins/Vorlane.INI"), u"CLIP0", key, u"<absent>", 260).value;
  }
};

TEST_F(SorrendModule, MenuNameKeepsTheLastByteOfTheBuffer) {
  struct Case {
    std::int32_t length;
    std::string written;  // bytes the call may write; the byte after them must stay untouched
  } cases[] = {
      {8, "Vorlane"},
      {16, "Vorlane WaveLab"},
      {17, std::string("Vorlane WaveLab\0", 16)},
      {40, std::string("Vorlane WaveLab") + std::string(24, '\0')},
      {1, ""}, {0, ""}, {-1, ""}, {INT_MIN, ""},
  };
  for (const Case& c : cases) {
    char buffer[48];
    std::memset(buffer, 0x5A, sizeof buffer);
    std::int32_t available = 7;
    EXPECT_EQ(getMenuName(buffer, c.length, &available), 1);
    EXPECT_EQ(std::string(buffer, c.written.size()), c.written) << "length " << c.length;
    EXPECT_EQ(buffer[c.written.size()], 0x5A) << "length " << c.length;
    EXPECT_EQ(available, 1);
  }
  char buffer[8];
  EXPECT_EQ(getMenuName(buffer, sizeof buffer, nullptr), 1);
}

TEST_F(SorrendModule, FlagsAndComment) {
  EXPECT_EQ(getFlags(), 0x0800000Au);
  const std::string comment = "Imports audio files that were modified in WaveLab.";
  char buffer[128];
  std::memset(buffer, 0x5A, sizeof buffer);
  EXPECT_EQ(getComment(buffer, sizeof buffer), 1);
  EXPECT_EQ(std::string(buffer), comment);
  std::memset(buffer, 0x5A, sizeof buffer);
  EXPECT_EQ(getComment(buffer, 10), 1);
  EXPECT_EQ(std::string(buffer, 11), comment.substr(0, 10) + "\x5A") << "no terminator when it does not fit";
  std::memset(buffer, 0x5A, sizeof buffer);
  EXPECT_EQ(getComment(buffer, 0), 1);
  EXPECT_EQ(buffer[0], 0x5A);
}

TEST_F(SorrendModule, StartupReportsWhetherWaveLabIsInstalled) {
  dir.WriteFile(u"WaveLab/WaveLab.exe", "MZ");
  const std::u16string exists = dir.Join(u"WaveLab/WaveLab.exe");
  struct Case {
    const char* what;
    std::vector<std::pair<std::u16string, std::u16string>> keys;
    std::int32_t result;
  } cases[] = {
      {"not installed", {}, 0},
      {"a missing path does not fall through",
       {{u"WaveLab.exe", dir.Join(u"gone.exe")}, {u"WaveLab Essential.exe", exists}}, 0},
      {"Essential", {{u"WaveLab Essential.exe", exists}}, 1},
  };
  for (const Case& c : cases) {
    SetWaveLabAppPaths(c.keys);
    EXPECT_EQ(startup(), c.result) << c.what;
  }
}

TEST_F(SorrendModule, ExecuteListsIntoTheClipListBesideTheModule) {
  // Another receive plug-in's clip list, named in lower case: Sorrend must write into the same file.
  dir.WriteFile(u"plugins/vorlane.ini", "[Clip5]\r\nName=kept\r\n");
  WriteModifiedSrb(u"render/Dovrel", u"a.SRB");
  EXPECT_EQ(execute(nullptr), 1);
  EXPECT_EQ(Modified(u"render/Dovrel/a.SRB"), 0);
  EXPECT_EQ(Listed(u"FILENAME"), u"take1.wav");
  int clipLists = 0;
  for (const auto& entry : fs::directory_iterator(dir.FsPath() / "plugins")) {
    if (platform::EqualsNoCase(entry.path().filename().u16string(), u"vorlane.ini")) ++clipLists;
  }
  EXPECT_EQ(clipLists, 1);
  EXPECT_EQ(platform::RealSystem().profile.ReadString(dir.Join(u"plugins/vorlane.ini"), u"Clip5", u"Name", u"", 260).value,
            u"kept");
  EXPECT_EQ(execute("not read"), 1) << "nothing left to list";
}

TEST_F(SorrendModule, SendFolderFromTheApplicationOrRelative) {
  RuskaneStandInSetRenderPath(nullptr);
  const std::u16string application = dir.Join(u"app") + Sep();
  CorvanaStandInSetAppDirectory(application.c_str());
  WriteModifiedSrb(u"app/Dovrel", u"a.SRB");
  EXPECT_EQ(execute(nullptr), 1);
  EXPECT_EQ(Modified(u"app/Dovrel/a.SRB"), 0);

  CorvanaStandInSetAppDirectory(nullptr);
  WriteModifiedSrb(u"Dovrel", u"b.SRB");
  const fs::path before = fs::current_path();
  fs::current_path(dir.FsPath());
  EXPECT_EQ(execute(nullptr), 1);
  fs::current_path(before);
  EXPECT_EQ(Modified(u"Dovrel/b.SRB"), 0) << "relative send folder against the current directory";
}

TEST_F(SorrendModule, ReadOnlyClipListKeepsTheClipModifiedUntilItCanBeWritten) {
  dir.WriteFile(u"plugins/Vorlane.INI", "[CLIP9]\r\nNAME=old\r\n");
  const std::u16string clipList = dir.Join(u"plugins/Vorlane.INI");
  if (!vorlane::test::SetReadOnly(clipList, true)) {
    vorlane::test::SetReadOnly(clipList, false);
    GTEST_SKIP() << "an administrator writes read-only files here; the logic tests cover an unwritable clip list";
  }
  WriteModifiedSrb(u"render/Dovrel", u"a.SRB");
  EXPECT_EQ(execute(nullptr), 1);
  EXPECT_EQ(Modified(u"render/Dovrel/a.SRB"), 1);
  EXPECT_EQ(dir.ReadFile(u"plugins/Vorlane.INI"), "[CLIP9]\r\nNAME=old\r\n");

  vorlane::test::SetReadOnly(clipList, false);
  EXPECT_EQ(execute(nullptr), 1);
  EXPECT_EQ(Modified(u"render/Dovrel/a.SRB"), 0);
  EXPECT_EQ(Listed(u"FILENAME"), u"take1.wav");
}

}  // namespace
