// Carvesh as the host loads it: discovery through the registry the test sets up (Windows: the real
// registry; POSIX: a registry file) over real executables, and the batch file Execute leaves for Cleaner 5.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/path.h"
#include "platform/text.h"
#include "plugin_module.h"
#include "temp_dir.h"
#include "test_registry.h"

namespace {

using vorlane::test::PluginModule;

constexpr char16_t kCleaner5[] = u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5";
constexpr char16_t kPro[] = u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerPro.EXE";

class EncoderScenario : public ::testing::Test {
 protected:
  EncoderScenario() {
    dir_.WriteFile(u"Cleaner 5/cleaner 5.exe", "exe");
    dir_.WriteFile(u"Pro/MediaCleanerPro.exe", "exe");
    dir_.WriteFile(u"clip.avi", "media");
  }

  std::int32_t Available() {
    char name[64];
    std::int32_t available = -1;
    EXPECT_EQ(carvesh_.entry().getMenuName(name, sizeof name, &available), 1);
    return available;
  }
  std::string Describe() {
    dir_.WriteFile(u"export.ini", "[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_V=" +
                                      platform::Utf16ToUtf8(dir_.Join(u"clip.avi")) + "\r\n");
    return platform::Utf16ToUtf8(dir_.Join(u"export.ini"));
  }
  // The uninstaller, then a quoted file in the encoder's folder, as an installer registers it.
  std::u16string UninstallString(std::u16string_view extension) {
    return u"C:\\WINDOWS\\uninst" + std::u16string(extension) + u" \"" + dir_.Join(u"Cleaner 5/uninst.log") + u"\"";
  }

  vorlane::test::TempDir dir_;
  vorlane::test::TestRegistry registry_;
  PluginModule carvesh_{vorlane::test::BuiltModulePath(CARVESH_FILE)};
};

TEST_F(EncoderScenario, Cleaner5WinsAndGetsItsBatchFileBesideItsExecutable) {
  ASSERT_TRUE(carvesh_.loaded()) << carvesh_.error();
  registry_.Set(kPro, u"", dir_.Join(u"Pro/MediaCleanerPro.exe"));
  registry_.Set(kCleaner5, u"UninstallString", UninstallString(u".exe"));
  EXPECT_EQ(Available(), 1);
  const std::string description = Describe();
  carvesh_.entry().execute(description.c_str());
  const std::string sep = platform::Utf16ToUtf8(std::u16string(1, platform::PathSeparator()));
  EXPECT_EQ(dir_.ReadFile(u"Cleaner 5/QN.TXT"),
            "[batch]\r\nname=" + platform::Utf16ToUtf8(dir_.Join(u"Cleaner 5/cleaner 5.exe")) + sep +
                "QN\r\n[files]\r\nfile1=" + platform::Utf16ToUtf8(dir_.Join(u"clip.avi")) + "\r\n");
  EXPECT_FALSE(dir_.Exists(u"Pro/QN.TXT"));
}

TEST_F(EncoderScenario, RoutesThatLeadNowhereFallThrough) {
  ASSERT_TRUE(carvesh_.loaded()) << carvesh_.error();
  registry_.Set(kCleaner5, u"UninstallString", UninstallString(u".EXE"));
  registry_.Set(kPro, u"", dir_.Join(u"Pro/MediaCleanerPro.exe"));
  EXPECT_EQ(Available(), 1) << "\".EXE\" fails the Cleaner 5 route; Media Cleaner Pro is found";

  registry_.Set(kPro, u"", dir_.Join(u"Pro/deleted.exe"));
  EXPECT_EQ(Available(), 0) << "an application path naming a deleted file";
  const std::string description = Describe();
  EXPECT_EQ(carvesh_.entry().execute(description.c_str()), 0) << "no encoder, no send";
  EXPECT_FALSE(dir_.Exists(u"Cleaner 5/QN.TXT"));
}

TEST_F(EncoderScenario, ADescriptionPathThatNamesNoFileSendsNothing) {
  ASSERT_TRUE(carvesh_.loaded()) << carvesh_.error();
  registry_.Set(kCleaner5, u"UninstallString", UninstallString(u".exe"));
  dir_.MakeDir(u"folder.ini");
  const std::string folder = platform::Utf16ToUtf8(dir_.Join(u"folder.ini"));
  // 260 bytes or more cannot hold the terminator in the host's path buffer.
  const std::string tooLong = Describe() + std::string(260, 'x');
  for (const char* path : {static_cast<const char*>(nullptr), folder.c_str(), tooLong.c_str()}) {
    EXPECT_EQ(carvesh_.entry().execute(path), 0);
  }
  EXPECT_FALSE(dir_.Exists(u"Cleaner 5/QN.TXT"));
}

// The installer's own form, where the machine has the folder it names (the Wine prefix has).
TEST_F(EncoderScenario, TheUninstallStringOfAnInstalledCleaner5) {
  ASSERT_TRUE(carvesh_.loaded()) << carvesh_.error();
  const std::filesystem::path programs(u"C:\\Program Files");
  if (!std::filesystem::is_directory(programs)) GTEST_SKIP() << "no C:\\Program Files here";
  const std::filesystem::path folder = programs / u"Cleaner 5";
  std::filesystem::create_directories(folder);
  { std::ofstream(folder / u"cleaner 5.exe") << "exe"; }
  registry_.Set(kCleaner5, u"UninstallString",
                u"C:\\WINDOWS\\uninst.exe \"C:\\Program Files\\Cleaner 5\\uninst.log\"");
  EXPECT_EQ(Available(), 1);
  const std::string description = Describe();
  carvesh_.entry().execute(description.c_str());
  std::ifstream batch(folder / u"QN.TXT", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(batch)), std::istreambuf_iterator<char>());
  batch.close();
  std::filesystem::remove_all(folder);
  EXPECT_NE(text.find("name=C:\\Program Files\\Cleaner 5\\cleaner 5.exe\\QN\r\n"), std::string::npos) << text;
}

}  // namespace
