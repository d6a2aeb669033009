// Brovix and Lundrel end to end: the registry set up by the test, the module bound as the host binds it,
// and a fake player that records every start.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "plugin_module.h"
#include "temp_dir.h"
#include "test_host.h"
#include "test_registry.h"

namespace {

using vorlane::test::ExpectedStartRecord;
using vorlane::test::PluginModule;

constexpr char16_t kQuickTimeKey[] = u"SOFTWARE\\Apple Computer, Inc.\\QuickTime";
constexpr char16_t kMediaPlayerKey[] = u"SOFTWARE\\Microsoft\\Multimedia\\WMPlayer";

class PlayerScenario : public ::testing::Test {
 protected:
  PlayerScenario() {
    dir_.MakeDir(u"starts");
    vorlane::test::SetEnvironment("VORLANE_FAKE_PLAYER_LOG", dir_.Join(u"starts"));
    InstallPlayer(u"QT/QuickTimePlayer.Exe");
  }

  void InstallPlayer(std::u16string_view relative) {
    dir_.MakeDir(platform::DriveAndDirectory(relative));
    std::filesystem::copy_file(std::filesystem::path(vorlane::test::BuiltModulePath(FAKE_PLAYER_FILE)),
                               std::filesystem::path(dir_.Join(relative)),
                               std::filesystem::copy_options::overwrite_existing);
  }

  std::string Describe(const std::string& objects) {
    dir_.WriteFile(u"export.ini", objects);
    return platform::Utf16ToUtf8(dir_.Join(u"export.ini"));
  }

  // Every start since the last look, once every started player has ended: a player records its start
  // before it ends, so that no record can come later.
  std::vector<std::string> Starts() {
    EXPECT_TRUE(started_.WaitUntilAllEnded()) << "a player did not end";
    return vorlane::test::TakeStartRecords(dir_.Join(u"starts"));
  }

  std::u16string Player() { return dir_.Join(u"QT") + platform::PathSeparator() + u"QuickTimePlayer.Exe"; }

  vorlane::test::TempDir dir_;
  vorlane::test::TestRegistry registry_;
  vorlane::test::StartedPrograms started_;
  PluginModule brovix_{vorlane::test::BuiltModulePath(BROVIX_FILE)};
};

std::int32_t MenuName(const PluginModule& module) {
  char name[64];
  std::int32_t available = -1;
  module.entry().getMenuName(name, sizeof name, &available);
  return available;
}

TEST_F(PlayerScenario, InstallDirectoryFormsLeadToThePlayer) {
  ASSERT_TRUE(brovix_.loaded()) << brovix_.error();
  const std::string description = Describe("[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_V=clip.avi\r\n");
  const std::u16string qt = dir_.Join(u"QT");
  std::vector<std::pair<std::u16string, std::u16string>> forms = {
      {qt, Player()}, {qt + platform::PathSeparator(), Player()}};
  if (platform::PathsHaveDrives()) {
    std::u16string slashed = qt + u"/";
    std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
    forms.push_back({slashed, slashed + u"QuickTimePlayer.Exe"});
  }
  for (const auto& [installDir, player] : forms) {
    registry_.Set(kQuickTimeKey, u"InstallDir", installDir);
    EXPECT_EQ(MenuName(brovix_), 1);
    EXPECT_EQ(brovix_.entry().execute(description.c_str()), 1);
    EXPECT_EQ(Starts(), std::vector<std::string>{ExpectedStartRecord(player + u" \"clip.avi")});
  }
  registry_.Set(kQuickTimeKey, u"InstallDir", u"");
  EXPECT_EQ(MenuName(brovix_), 0) << "an empty directory is no installation";
  EXPECT_EQ(brovix_.entry().execute(description.c_str()), 1);
  EXPECT_TRUE(Starts().empty());
}

TEST_F(PlayerScenario, StartsOnePlayerPerObjectWithMedia) {
  ASSERT_TRUE(brovix_.loaded()) << brovix_.error();
  registry_.Set(kQuickTimeKey, u"InstallDir", dir_.Join(u"QT"));
  ASSERT_EQ(MenuName(brovix_), 1);
  const std::string longMedia = "L" + std::string(1500, 'x') + ".avi";
  const std::string description = Describe(
      "[GENERAL]\r\nOBJCOUNT=3\r\n[OBJ1]\r\nMEDIA_V=first clip.avi\r\n[OBJ2]\r\nNAME=nothing\r\n"
      "[OBJ3]\r\nMEDIA_V=\r\nMEDIA_A2=third.wav\r\n[OBJ4]\r\nMEDIA_V=beyond the count.avi\r\n");
  EXPECT_EQ(brovix_.entry().execute(description.c_str()), 1);
  EXPECT_EQ(Starts(), (std::vector<std::string>{ExpectedStartRecord(Player() + u" \"first clip.avi"),
                                                 ExpectedStartRecord(Player() + u" \"third.wav")}));

  // A media path longer than the room left is cut so that the line and its terminator fit 1024.
  const std::string cut = Describe("[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_V=" + longMedia + "\r\n");
  EXPECT_EQ(brovix_.entry().execute(cut.c_str()), 1);
  const std::u16string line = Player() + u" \"" + platform::Widen(longMedia);
  EXPECT_EQ(Starts(), std::vector<std::string>{ExpectedStartRecord(line.substr(0, 1023))});
}

TEST_F(PlayerScenario, ExecuteWithoutADiscoveredPlayerStartsNothing) {
  ASSERT_TRUE(brovix_.loaded()) << brovix_.error();
  registry_.Set(kQuickTimeKey, u"InstallDir", dir_.Join(u"QT"));
  const std::string description = Describe("[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_V=clip.avi\r\n");
  EXPECT_EQ(brovix_.entry().startup(), 1);
  EXPECT_EQ(brovix_.entry().execute(description.c_str()), 1) << "before any GetMenuName";
  EXPECT_EQ(MenuName(brovix_), 1);
  brovix_.entry().shutdown();
  EXPECT_EQ(brovix_.entry().execute(description.c_str()), 1) << "after Shutdown";
  EXPECT_TRUE(Starts().empty());
}

TEST_F(PlayerScenario, BadDescriptionsStartNothing) {
  ASSERT_TRUE(brovix_.loaded()) << brovix_.error();
  registry_.Set(kQuickTimeKey, u"InstallDir", dir_.Join(u"QT"));
  ASSERT_EQ(MenuName(brovix_), 1);
  const std::string huge = Describe("[GENERAL]\r\nOBJCOUNT=2147483647\r\n[OBJ3]\r\nNAME=no media\r\n");
  EXPECT_EQ(brovix_.entry().execute(huge.c_str()), 1);
  const std::string tooLong = platform::Utf16ToUtf8(dir_.Join(u"")) + std::string(300, 'd') + ".ini";
  EXPECT_EQ(brovix_.entry().execute(tooLong.c_str()), 1);
  const std::string junk = Describe(std::string("\0\x01\xff[OBJ1\n=\n\xfe\xfe", 12));
  EXPECT_EQ(brovix_.entry().execute(junk.c_str()), 1);
  EXPECT_EQ(brovix_.entry().execute(nullptr), 1);
  EXPECT_TRUE(Starts().empty());
}

TEST_F(PlayerScenario, WindowsMediaPlayerStartsByTheShortFormOfItsPath) {
  PluginModule lundrel(vorlane::test::BuiltModulePath(LUNDREL_FILE));
  ASSERT_TRUE(lundrel.loaded()) << lundrel.error();
  InstallPlayer(u"Windows Media Player/wmplayer.exe");
  const std::u16string longPath = dir_.Join(u"Windows Media Player/wmplayer.exe");
  registry_.Set(kMediaPlayerKey, u"Player.Path", dir_.Join(u"Windows Media Player/missing.exe"));
  EXPECT_EQ(MenuName(lundrel), 0);

  registry_.Set(kMediaPlayerKey, u"Player.Path", longPath);
  EXPECT_EQ(MenuName(lundrel), 1);
  const std::u16string shortPath = *platform::RealSystem().files.ShortPath(longPath);
  if (platform::HasShortNames()) { EXPECT_NE(shortPath, longPath) << "Wine gives long names a short form"; }
  const std::string description = Describe("[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_A1=a.wav\r\n");
  EXPECT_EQ(lundrel.entry().execute(description.c_str()), 1);
  EXPECT_EQ(Starts(), std::vector<std::string>{ExpectedStartRecord(shortPath + u" \"a.wav")});
}

}  // namespace
