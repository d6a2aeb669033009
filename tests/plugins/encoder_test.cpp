// Encoder discovery over a fake registry, with real executables in a temp directory; and how much of the
// host's text Execute reads before it.
#include "find_encoder.h"

#include <gtest/gtest.h>

#include "encoder_handoff.h"
#include "no_access_page.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windows.h"
#include "platform/path.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

using encoder::EncoderKind;

constexpr std::u16string_view kCleaner5 = u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5";
constexpr std::u16string_view kCleaner5Ez = u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5 EZ";
constexpr std::u16string_view kPro = u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerPro.EXE";
constexpr std::u16string_view kEz = u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerEZ.EXE";

class FindEncoderTest : public ::testing::Test {
 protected:
  FindEncoderTest() {
    dir_.WriteFile(u"Cleaner 5/cleaner 5.exe", "exe");
    dir_.WriteFile(u"Cleaner 5 EZ/cleanerEZ5.exe", "exe");
    dir_.WriteFile(u"Pro/MediaCleanerPro.exe", "exe");
    dir_.WriteFile(u"EZ/MediaCleanerEZ.exe", "exe");
  }
  encoder::EncoderInfo Find() { return encoder::FindEncoder(system_); }
  // An uninstaller followed by a quoted log file in the encoder's folder.
  std::u16string UninstallString(std::u16string_view folder, std::u16string_view extension = u".exe") {
    return u"C:\\WINDOWS\\uninst" + std::u16string(extension) + u" \"" + dir_.Join(folder) +
           platform::PathSeparator() + u"uninst.log\" ";
  }

  vorlane::test::TempDir dir_;
  platform::fake::FakeRegistry registry_;
  platform::System system_ =
      platform::fake::MakeSystem({.registry = &registry_, .files = &platform::RealSystem().files});
};

TEST_F(FindEncoderTest, UninstallEntriesComeFirstAndLeadToTheFolderOfTheLoggedFile) {
  registry_.SetValue(kPro, std::nullopt, dir_.Join(u"Pro/MediaCleanerPro.exe"));
  registry_.SetValue(kCleaner5, u"UninstallString", UninstallString(u"Cleaner 5"));
  encoder::EncoderInfo found = Find();
  EXPECT_EQ(found.kind, EncoderKind::Cleaner5);
  EXPECT_EQ(found.executable, dir_.Join(u"Cleaner 5/cleaner 5.exe"));

  registry_.SetValue(kCleaner5, u"UninstallString", UninstallString(u"Cleaner 5", u".EXE"));
  registry_.SetValue(kCleaner5Ez, u"UninstallString", UninstallString(u"Cleaner 5 EZ"));
  found = Find();
  EXPECT_EQ(found.kind, EncoderKind::Cleaner5Ez) << "\".EXE\" does not match: the next route is tried";
  EXPECT_EQ(found.executable, dir_.Join(u"Cleaner 5 EZ/cleanerEZ5.exe"));
}

TEST_F(FindEncoderTest, ApplicationPathsMustNameAnExistingFile) {
  registry_.SetValue(kCleaner5, u"UninstallString", UninstallString(u"Nowhere"));
  registry_.SetValue(kPro, std::nullopt, dir_.Join(u"Pro/deleted.exe"));
  registry_.SetValue(kEz, std::nullopt, dir_.Join(u"EZ/MediaCleanerEZ.exe"));
  const encoder::EncoderInfo found = Find();
  EXPECT_EQ(found.kind, EncoderKind::MediaCleanerEz);
  EXPECT_EQ(found.executable, dir_.Join(u"EZ/MediaCleanerEZ.exe"));

  registry_.SetValue(kEz, std::nullopt, dir_.Join(u"EZ"));
  const encoder::EncoderInfo none = Find();
  EXPECT_EQ(none.kind, EncoderKind::None) << "a directory is no executable";
  EXPECT_EQ(none.executable, u"");
}

// The host's text ends where an unreadable page begins: Execute reads it, and runs the discovery, only
// when every byte up to the terminator can be read.
TEST_F(FindEncoderTest, ExecuteReadsTheHostsTextOnlyWhenItCanBeReadToItsTerminator) {
  using namespace std::string_literals;
  platform::fake::FakeProcesses processes;
  platform::fake::FakeWindows windows;
  platform::System system =
      platform::fake::MakeSystem({.registry = &registry_,
                                  .files = &platform::RealSystem().files,
                                  .processes = &processes,
                                  .clock = &platform::RealSystem().clock,
                                  .windows = &windows});
  registry_.SetValue(kPro, std::nullopt, dir_.Join(u"Pro/MediaCleanerPro.exe"));
  dir_.WriteFile(u"export.ini", "[GENERAL]\r\nOBJCOUNT=0\r\n");
  const std::string description = platform::Utf16ToUtf8(dir_.Join(u"export.ini"));
  vorlane::test::NoAccessPage memory;
  const struct {
    const char* fault;
    std::string bytes;  // their last byte is the last readable one
    bool read;          // the discovery ran
    bool sent;          // the encoder was started with the description
  } cases[] = {
      {"a pointer into the unreadable page", "", false, false},
      {"a pointer to the last readable byte, which is no terminator", "C", false, false},
      {"a path whose terminator would lie in the unreadable page", description, false, false},
      {"a pointer to the last readable byte, which is the terminator: an empty path", "\0"s, true, false},
      {"a path whose terminator is the last readable byte is read whole", description + '\0', true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    registry_.openAttempts.clear();
    processes.starts.clear();
    EXPECT_EQ(encoder::HandOff(system, memory.PlaceBeforeUnreadable(c.bytes)), c.sent ? 1 : 0);
    EXPECT_EQ(!registry_.openAttempts.empty(), c.read);
    EXPECT_EQ(processes.starts.size(), c.sent ? 1u : 0u);
  }
}

}  // namespace
