// A fake system gives the parts a test hands in, and for every part left out one that finds nothing:
// never the real one, which would read the machine's registry, profiles and files behind the test's back.
#include "platform/fake/fake_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_registry.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "test_registry.h"

namespace {

const std::u16string kKey = u"SOFTWARE\\Vorlane Test\\Fake System";

TEST(FakeSystem, APartLeftOutFindsNothingThatTheRealOneFinds) {
  vorlane::test::TempDir dir;
  dir.WriteFile(u"settings.ini", "[Settings]\r\nName=real\r\nCount=7\r\n");
  const std::u16string ini = dir.Join(u"settings.ini");
  vorlane::test::TestRegistry values;
  values.Set(kKey, u"InstallDir", u"C:\\Real");
  // What the real parts see, so that "nothing" below cannot pass for want of anything to find.
  platform::System& real = platform::RealSystem();
  ASSERT_EQ(real.profile.ReadString(ini, u"Settings", u"Name", u"none", 260).value, u"real");
  ASSERT_TRUE(real.registry.ReadString(kKey, u"InstallDir", 520).valueRead);
  ASSERT_TRUE(real.files.Attributes(ini).has_value());

  platform::System system = platform::fake::MakeSystem({});

  const platform::ProfileString read = system.profile.ReadString(ini, u"Settings", u"Name", u"none", 3);
  EXPECT_EQ(read.value, u"no") << "a missing file gives the default, cut to the buffer";
  EXPECT_EQ(read.count, 2u);
  EXPECT_EQ(system.profile.ReadInt(ini, u"Settings", u"Count", -1), -1);
  EXPECT_FALSE(system.profile.WriteString(ini, u"Settings", u"Name", u"fake"));
  EXPECT_FALSE(system.profile.WriteBatch(ini, {{u"Settings", u"Name", std::nullopt}}));
  EXPECT_FALSE(system.profile.Touch(ini));

  const platform::RegistryValue value = system.registry.ReadString(kKey, u"InstallDir", 520);
  EXPECT_FALSE(value.keyOpened);
  EXPECT_FALSE(value.valueRead);

  EXPECT_FALSE(system.files.Attributes(ini));
  EXPECT_TRUE(system.files.Find(dir.Join(u"*")).empty());
  EXPECT_FALSE(system.files.ReadBytes(ini, 100));
  EXPECT_FALSE(system.files.FullPath(ini));
  EXPECT_FALSE(system.files.Remove(ini));
  EXPECT_FALSE(system.files.WriteBytes(dir.Join(u"new.txt"), "x"));
  EXPECT_EQ(dir.ReadFile(u"settings.ini"), "[Settings]\r\nName=real\r\nCount=7\r\n") << "nothing was written";
  EXPECT_FALSE(dir.Exists(u"new.txt"));

  platform::ProcessStart start;
  start.application = platform::Utf8ToUtf16(VORLANE_ARGV_RECORDER);
  start.commandLine = u"argv_recorder";
  EXPECT_FALSE(system.processes.Start(start).started);

  EXPECT_FALSE(system.windows.Available());
  EXPECT_EQ(system.windows.Desktop(), nullptr);
  EXPECT_EQ(system.dragDrop.Prepare(16, [](std::span<std::uint8_t>) {}), nullptr);
  EXPECT_FALSE(system.automation.InitializeOle());
  EXPECT_FALSE(system.dialogs.OpenFile(platform::OpenFileRequest{}));
  EXPECT_FALSE(system.dialogs.BrowseFolder(platform::FolderRequest{}));
}

// A wait on the left-out clock must neither sleep for real nor spin for ever: the loop of a one-minute
// deadline ends at its first check, and a long pause returns at once.
TEST(FakeSystem, ALeftOutClockEndsEveryWaitAtOnce) {
  platform::System system = platform::fake::MakeSystem({});
  const auto before = std::chrono::steady_clock::now();
  const std::uint32_t started = system.clock.TickCount();
  int checks = 0;
  while (system.clock.TickCount() - started < 60000u && checks < 10) {
    ++checks;
    system.clock.Sleep(100);
  }
  EXPECT_EQ(checks, 0);
  system.clock.Sleep(600000);
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
}

TEST(FakeSystem, APartHandedInIsTheOneUsed) {
  platform::fake::FakeRegistry registry;
  registry.SetValue(kKey, u"InstallDir", u"C:\\Fake");
  platform::fake::FakeClock clock(1234);
  platform::System system = platform::fake::MakeSystem({.registry = &registry, .clock = &clock});
  EXPECT_EQ(system.registry.ReadString(kKey, u"InstallDir", 520).text, u"C:\\Fake");
  EXPECT_EQ(system.clock.TickCount(), 1234u);
  EXPECT_EQ(&system.profile, &platform::fake::MakeSystem({}).profile) << "the rest stays unavailable";
  EXPECT_NE(&system.profile, &platform::RealSystem().profile);
}

}  // namespace
