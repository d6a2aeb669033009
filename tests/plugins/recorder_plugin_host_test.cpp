// Moltrin's built module as the stand-in host drives it: `plugin-host receive Moltrin --open PATH ...`.
// Natively the host answers the dialog itself; under Wine it answers the real open-file dialog from a
// second thread, as a user would.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/os_rules.h"
#include "platform/system.h"
#include "recorder_scenarios.h"
#include "run_program.h"

namespace {

namespace fs = std::filesystem;
using vorlane::test::TempDir;

const std::u16string kPluginHost = fs::path(VORLANE_BIN_DIR).u16string() + platform::NativeSeparators(u"\\") +
                                   fs::path(PLUGIN_HOST_NAME).u16string();

// The module copied into its own folder, so that its clip list and settings file land there.
std::u16string InstallModule(const TempDir& dir) {
  fs::create_directories(dir.FsPath() / "host");
  const fs::path module = dir.FsPath() / "host" / MOLTRIN_MODULE_NAME;
  fs::copy_file(fs::path(VORLANE_BIN_DIR) / MOLTRIN_MODULE_NAME, module);
  return module.u16string();
}

std::string Setting(const TempDir& dir, std::u16string_view key) {
  return platform::Utf16ToUtf8(
      platform::RealSystem().profile.ReadString(dir.Join(u"host/moltrin.ini"), u"Settings", key, u"<absent>", 260).value);
}

TEST(MoltrinThroughPluginHost, ImportsEachScenario) {
  for (const vorlane::test::RecorderScenario& scenario : vorlane::test::RecorderScenarios()) {
    SCOPED_TRACE(scenario.fault);
    TempDir dir;
    vorlane::test::LayOut(dir, scenario);
    std::vector<std::u16string> arguments{u"receive", InstallModule(dir)};
    for (const std::u16string& picked : scenario.picked) {
      arguments.push_back(u"--open");
      arguments.push_back(vorlane::test::PickedPath(dir, picked));
    }
    ASSERT_EQ(vorlane::test::RunProgram(kPluginHost, arguments), 0);
    vorlane::test::ExpectClipList(dir, dir.Join(u"host/vorlane.ini"), scenario);
    EXPECT_EQ(Setting(dir, u"szStartupPath"), platform::Utf16ToUtf8(vorlane::test::PickedPath(dir, scenario.picked.front())));
  }
}

TEST(MoltrinThroughPluginHost, KeepsTheChosenFilterAndForgetsNothingOnCancel) {
  TempDir dir;
  const std::u16string module = InstallModule(dir);
  dir.WriteFile(u"disk/tape0001.dlx", "x");
  dir.WriteFile(u"disk/tape0001/000001.dvd", "");
  const std::u16string chosen = dir.Join(u"disk/tape0001.dlx");
  ASSERT_EQ(vorlane::test::RunProgram(kPluginHost, {u"receive", module, u"--open", chosen, u"--filter", u"2"}), 0);
  EXPECT_EQ(Setting(dir, u"nFilterIndex"), "2");
  EXPECT_EQ(Setting(dir, u"szStartupPath"), platform::Utf16ToUtf8(chosen));
  const std::u16string clipList = dir.Join(u"host/vorlane.ini");
  EXPECT_EQ(Setting(dir, u"szIniFileName"),
            platform::Utf16ToUtf8(platform::FileNamesIgnoreCase() ? platform::ToLower(clipList) : clipList));
  EXPECT_TRUE(dir.Exists(u"host/vorlane.ini"));

  EXPECT_EQ(vorlane::test::RunProgram(kPluginHost, {u"receive", module, u"--cancel"}), 1);
  EXPECT_FALSE(dir.Exists(u"host/vorlane.ini")) << "a cancelled run leaves no clip list";
  EXPECT_EQ(Setting(dir, u"nFilterIndex"), "2");
  EXPECT_EQ(Setting(dir, u"szStartupPath"), platform::Utf16ToUtf8(chosen));
}

}  // namespace
