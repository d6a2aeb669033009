#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_registry.h"
#include "platform/system.h"
#include "test_registry.h"

namespace {

const std::u16string kKey = u"SOFTWARE\\Vorlane Test\\Registry";

// The same reads against the real registry of this build and against the fake.
void ExpectContract(platform::Registry& registry) {
  auto named = registry.ReadString(u"software\\vorlane test\\REGISTRY", u"installdir", 520);
  EXPECT_TRUE(named.keyOpened);
  EXPECT_TRUE(named.valueRead);
  EXPECT_EQ(named.text, u"C:\\Program Files\\QuickTime");

  EXPECT_EQ(registry.ReadString(kKey, std::nullopt, 520).text, u"C:\\WaveLab\\WaveLab.exe");

  const auto missingValue = registry.ReadString(kKey, u"Nothing", 520);
  EXPECT_TRUE(missingValue.keyOpened);
  EXPECT_FALSE(missingValue.valueRead);

  EXPECT_FALSE(registry.ReadString(u"SOFTWARE\\Vorlane Test\\Missing", u"InstallDir", 520).keyOpened);

  const auto tooLong = registry.ReadString(kKey, u"Long", 520);
  EXPECT_TRUE(tooLong.keyOpened);
  EXPECT_FALSE(tooLong.valueRead);
  EXPECT_TRUE(tooLong.text.empty());
  EXPECT_TRUE(registry.ReadString(kKey, u"Fits", 520).valueRead);
}

// The values ExpectContract reads, through either side's setter.
template <typename Set>
void SetUpValues(Set set) {
  set(kKey, u"InstallDir", u"C:\\Program Files\\QuickTime");
  set(kKey, std::nullopt, u"C:\\WaveLab\\WaveLab.exe");
  set(kKey, u"Long", std::u16string(260, u'x'));  // 522 bytes with its terminator
  set(kKey, u"Fits", std::u16string(259, u'x'));  // exactly 520
}

TEST(Registry, RealRegistryReadsByNameAndDefault) {
  vorlane::test::TestRegistry values;
  SetUpValues([&](const std::u16string& key, std::optional<std::u16string> name, const std::u16string& text) {
    values.Set(key, name.value_or(u""), text);
  });
  ExpectContract(platform::RealSystem().registry);
}

TEST(Registry, FakeKeepsTheSameRules) {
  platform::fake::FakeRegistry registry;
  SetUpValues([&](const std::u16string& key, std::optional<std::u16string> name, const std::u16string& text) {
    registry.SetValue(key, name ? std::optional<std::u16string_view>(*name) : std::nullopt, text);
  });
  ExpectContract(registry);
  EXPECT_EQ(registry.openAttempts.size(), 6u);
}

TEST(Registry, ValueStoredWithoutTerminatorEndsAtItsLength) {
  vorlane::test::TestRegistry values;
  values.SetUnterminated(kKey, u"Path", u"C:\\Player.exe");
  const auto value = platform::RealSystem().registry.ReadString(kKey, u"Path", 520);
  ASSERT_TRUE(value.valueRead);
  EXPECT_EQ(value.text, u"C:\\Player.exe");
}

// A test's registry set on top of values the machine already holds takes back all it did when it ends.
TEST(Registry, TestRegistryLeavesTheMachineAsItFoundIt) {
  platform::Registry& real = platform::RealSystem().registry;
  const std::u16string below = kKey + u"\\Below";
  const std::u16string created = u"SOFTWARE\\Vorlane Test\\Created";
  vorlane::test::TestRegistry machine;
  machine.Set(kKey, u"InstallDir", u"before");
  machine.Set(below, u"", u"below");
  {
    vorlane::test::TestRegistry test;
    test.Set(kKey, u"InstallDir", u"changed");
    test.RemoveKey(kKey);
    EXPECT_FALSE(real.ReadString(below, std::nullopt, 520).keyOpened) << "a removed key takes its keys along";
    test.Set(created, u"", u"new");
    EXPECT_EQ(real.ReadString(created, std::nullopt, 520).text, u"new");
  }
  EXPECT_EQ(real.ReadString(kKey, u"InstallDir", 520).text, u"before") << "a changed value must come back";
  EXPECT_EQ(real.ReadString(below, std::nullopt, 520).text, u"below") << "a removed key must come back";
  EXPECT_FALSE(real.ReadString(created, std::nullopt, 520).keyOpened) << "a key the test made must go";
}

}  // namespace

namespace {

TEST(Registry, NothingSetUpOpensNoKey) {
  // POSIX: no registry file named at all.
  EXPECT_FALSE(platform::RealSystem().registry.ReadString(kKey, u"InstallDir", 520).keyOpened);
}

}  // namespace
