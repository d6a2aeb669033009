// Carvesh's delivery driven by the stand-in host natively, where there are no windows and no OLE: the
// kinds that need them report 0 at once, and a Media Cleaner Pro that is not running is started with
// the files on its command line (a copy of the argument recorder plays it).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/text.h"
#include "plugin_module.h"
#include "temp_dir.h"
#include "test_registry.h"
#include "wait_for.h"

namespace {

constexpr char16_t kUninstall[] = u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\";
constexpr char16_t kAppPaths[] = u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\";

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

class EncoderDelivery : public ::testing::Test {
 protected:
  EncoderDelivery() {
    dir_.WriteFile(u"media/harbour wide.avi", "media");
    dir_.WriteFile(u"media/quay.wav", "media");
    dir_.WriteFile(u"export.ini", "[GENERAL]\r\nOBJCOUNT=2\r\n[OBJ1]\r\nMEDIA_V=" + Media(u"harbour wide.avi") +
                                      "\r\n[OBJ2]\r\nMEDIA_A1=" + Media(u"quay.wav") + "\r\n");
  }
  std::string Media(std::u16string_view name) { return platform::Utf16ToUtf8(dir_.Join(u"media/" + std::u16string(name))); }
  // An encoder executable: the argument recorder under the encoder's name.
  void Install(std::u16string_view relative) {
    dir_.MakeDir(std::filesystem::path(std::u16string(relative)).parent_path().u16string());
    std::filesystem::copy_file(ARGV_RECORDER_FILE, dir_.Join(relative));
  }
  struct Run {
    int status = -1;
    double seconds = 0;
  };
  Run Send() {
    const auto built = [](const char* file) { return std::filesystem::path(vorlane::test::BuiltModulePath(file)); };
    const std::string command = Quoted(built(PLUGIN_HOST_FILE)) + " send " + Quoted(built(CARVESH_FILE)) + " " +
                                Quoted(dir_.Join(u"export.ini")) + " --registry " +
                                Quoted(registry_.File()) + " > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
  }

  vorlane::test::TempDir dir_;
  vorlane::test::TestRegistry registry_;
};

TEST_F(EncoderDelivery, KindsThatNeedWindowsOrAutomationReportZeroAtOnce) {
  struct Case {
    const char* name;
    std::u16string key;
    std::u16string valueName;
    std::u16string executable;
  };
  const Case cases[] = {
      {"Cleaner 5 (automation)", std::u16string(kUninstall) + u"Cleaner 5", u"UninstallString", u"C5/cleaner 5.exe"},
      {"Cleaner 5 EZ (drop)", std::u16string(kUninstall) + u"Cleaner 5 EZ", u"UninstallString", u"C5EZ/cleanerEZ5.exe"},
      {"Media Cleaner EZ (drop)", std::u16string(kAppPaths) + u"MediaCleanerEZ.EXE", u"", u"EZ/MediaCleanerEZ.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Install(c.executable);
    const std::u16string executable = dir_.Join(c.executable);
    const std::u16string value = c.valueName.empty() ? executable
                                                     : u"C:\\WINDOWS\\uninst.exe \"" +
                                                           std::filesystem::path(executable).parent_path().u16string() +
                                                           u"/uninst.log\"";
    registry_.Set(c.key, c.valueName, value);
    const Run run = Send();
    EXPECT_EQ(run.status, 1) << "Execute must report 0";
    EXPECT_LT(run.seconds, 10.0) << "no wait for windows that cannot exist";
    std::filesystem::remove(executable);  // the next case's encoder is found instead
  }
  EXPECT_TRUE(dir_.Exists(u"C5/QN.TXT")) << "Cleaner 5 gets its batch file before the automation fails";
}

TEST_F(EncoderDelivery, MediaCleanerProNotRunningIsStartedWithTheFiles) {
  Install(u"Pro/MediaCleanerPro.exe");
  registry_.Set(std::u16string(kAppPaths) + u"MediaCleanerPro.EXE", u"", dir_.Join(u"Pro/MediaCleanerPro.exe"));
  const Run run = Send();
  EXPECT_EQ(run.status, 0) << "the start is the whole hand-off";
  // The recorder runs in the encoder's folder on its own.
  EXPECT_TRUE(vorlane::test::WaitForFiles({dir_.Join(u"Pro/argv.txt")}));
  EXPECT_EQ(dir_.ReadFile(u"Pro/argv.txt"), "2\n" + Media(u"harbour wide.avi") + "\n" + Media(u"quay.wav") + "\n")
      << "a path with a blank must arrive whole";
}

}  // namespace
