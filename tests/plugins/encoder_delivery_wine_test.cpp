// Carvesh's delivery for real, as the host loads it under Wine: the stand-in encoder (started by Carvesh
// through its App Paths entry, or already running) receives the exact files by OLE drag and drop, and
// the stand-in Cleaner 5 server, ready only after 2 s, receives them through AddFile in order.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "com_registration.h"
#include "platform/system.h"
#include "platform/text.h"
#include "plugin_module.h"
#include "temp_dir.h"
#include "test_registry.h"
#include "wait_for.h"

namespace {

constexpr char16_t kAppPaths[] = u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr char16_t kCleaner5[] = u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5";

class EncoderDeliveryUnderWine : public ::testing::Test {
 protected:
  EncoderDeliveryUnderWine() {
    dir_.WriteFile(u"media/harbour wide.avi", "media");
    dir_.WriteFile(u"media/quay.wav", "media");
    dir_.WriteFile(u"media/pier.dv", "media");
    dir_.WriteFile(u"export.ini", "[GENERAL]\r\nOBJCOUNT=3\r\n[OBJ1]\r\nMEDIA_V=" + Media(u"harbour wide.avi") +
                                      "\r\nMEDIA_A1=" + Media(u"quay.wav") + "\r\n[OBJ2]\r\nMEDIA_A2=" +
                                      Media(u"quay.wav") + "\r\n[OBJ3]\r\nMEDIA_V=" + Media(u"pier.dv") +
                                      "\r\nMEDIA_A1=" + Media(u"quay.wav") + "\r\n");
  }
  std::string Media(std::u16string_view name) const {
    return platform::Utf16ToUtf8(dir_.Join(u"media/" + std::u16string(name)));
  }
  std::string Short(std::u16string_view name) const {
    const auto form = platform::RealSystem().files.ShortPath(dir_.Join(u"media/" + std::u16string(name)));
    return form ? platform::Utf16ToUtf8(*form) : std::string("?");
  }
  // The encoder as a copy of `program` under `relative`.
  std::u16string Install(const char* program, std::u16string_view relative) {
    const std::u16string path = dir_.Join(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::copy_file(program, path);
    return path;
  }
  std::int32_t Execute() {
    const std::string description = platform::Utf16ToUtf8(dir_.Join(u"export.ini"));
    return carvesh_.entry().execute(description.c_str());
  }
  // The record a stand-in leaves beside itself, once it is there.
  std::string Record(std::u16string_view relative) {
    vorlane::test::WaitForFiles({dir_.Join(relative)});
    return dir_.ReadFile(relative);
  }
  std::string DroppedFiles() { return Short(u"harbour wide.avi") + "\n" + Short(u"quay.wav") + "\n" + Short(u"pier.dv") + "\n"; }

  vorlane::test::TempDir dir_;
  vorlane::test::TestRegistry registry_;
  vorlane::test::PluginModule carvesh_{vorlane::test::BuiltModulePath(CARVESH_FILE)};
};

TEST_F(EncoderDeliveryUnderWine, MediaCleanerEzIsStartedThenDroppedOn) {
  ASSERT_TRUE(carvesh_.loaded()) << carvesh_.error();
  const std::u16string encoder = Install(FAKE_ENCODER_FILE, u"EZ/MediaCleanerEZ.exe");
  registry_.Set(std::u16string(kAppPaths) + u"MediaCleanerEZ.EXE", u"", encoder);
  EXPECT_EQ(Execute(), 1);
  EXPECT_EQ(Record(u"EZ/dropped.txt"), DroppedFiles());
}

TEST_F(EncoderDeliveryUnderWine, MediaCleanerProAlreadyRunningIsDroppedOn) {
  ASSERT_TRUE(carvesh_.loaded()) << carvesh_.error();
  const std::u16string encoder = Install(FAKE_ENCODER_FILE, u"Pro/MediaCleanerPro.exe");
  registry_.Set(std::u16string(kAppPaths) + u"MediaCleanerPro.EXE", u"", encoder);
  platform::ProcessStart start;
  start.application = encoder;
  start.commandLine = u"\"" + encoder + u"\" already-running";
  start.waitForIdleMs = 20000;
  ASSERT_TRUE(platform::RealSystem().processes.Start(start).started);
  // Wine reports the program idle before its windows exist; the title shows when it takes drops.
  platform::System& system = platform::RealSystem();
  vorlane::test::WaitFor([&] { return system.windows.FindTopLevel(u"MainClassW", u"Media Cleaner Pro"); });
  EXPECT_EQ(Execute(), 1);
  EXPECT_EQ(Record(u"Pro/dropped.txt"), DroppedFiles());
  EXPECT_NE(dir_.ReadFile(u"Pro/command-line.txt").find("already-running"), std::string::npos)
      << "the running encoder must be the one that took the drop, none started anew";
}

TEST_F(EncoderDeliveryUnderWine, Cleaner5GetsEveryFileThroughAutomationInOrder) {
  ASSERT_TRUE(carvesh_.loaded()) << carvesh_.error();
  Install(FAKE_ENCODER_FILE, u"Cleaner 5/cleaner 5.exe");
  const std::u16string server = Install(FAKE_CLEANER5_FILE, u"Cleaner 5/fake_cleaner5.exe");
  ASSERT_TRUE(vorlane::test::RegisterLocalServer(u"{50D994EE-8834-11D3-8BBE-0000E85F332D}", server,
                                                 platform::Utf8ToUtf16(FAKE_CLEANER5_TLB)));
  registry_.Set(kCleaner5, u"UninstallString", u"C:\\WINDOWS\\uninst.exe \"" + dir_.Join(u"Cleaner 5/uninst.log") + u"\"");
  EXPECT_EQ(Execute(), 1);
  EXPECT_TRUE(dir_.Exists(u"Cleaner 5/QN.TXT"));
  // Object 1: video, then its audio; object 2: its audio alone; object 3: ".dv" leaves its audio out.
  EXPECT_EQ(Record(u"Cleaner 5/addfile.txt"), "waited\n" + Media(u"harbour wide.avi") + "\n" + Media(u"quay.wav") +
                                                  "\n" + Media(u"quay.wav") + "\n" + Media(u"pier.dv") + "\n");
}

}  // namespace
