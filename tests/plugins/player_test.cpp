// The player hand-off over a fake registry and fake process starts, with real files in a temp directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "contract/export_description.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_system.h"
#include "platform/path.h"
#include "platform/text.h"
#include "player_discovery.h"
#include "player_handoff.h"
#include "temp_dir.h"

namespace {

using player::kQuickTimePlayer;
using player::kWindowsMediaPlayer;

class PlayerTest : public ::testing::Test {
 protected:
  platform::System& system() { return system_; }
  std::u16string Native(std::u16string_view relative) { return dir_.Join(relative); }

  vorlane::test::TempDir dir_;
  platform::fake::FakeRegistry registry_;
  platform::fake::FakeProcesses processes_;
  platform::System system_ = platform::fake::MakeSystem({.profile = &platform::RealSystem().profile,
                                                         .registry = &registry_,
                                                         .files = &platform::RealSystem().files,
                                                         .processes = &processes_});
};

struct InstallDirCase {
  std::u16string value;  // "~" stands for the temp directory
  bool executableExists;
  std::u16string expectedPath;  // "~" as above
  bool expectedFound;
  const char* fault;
};

TEST_F(PlayerTest, QuickTimeDiscoveryComposesThePathFromTheInstallDirectory) {
  const std::u16string sep(1, platform::PathSeparator());
  const std::u16string qt = Native(u"QT");
  const std::u16string exe = qt + sep + u"QuickTimePlayer.Exe";
  const std::u16string tooLong = Native(std::u16string(250 - qt.size(), u'q'));
  const InstallDirCase cases[] = {
      {qt, true, exe, true, "a directory without separator gets one"},
      {qt + sep, true, exe, true, "a directory ending in a separator gets no second one"},
      {qt, false, exe, false, "a missing executable reports 0 but keeps the composed path"},
      {u"", true, u"", false, "an empty directory gives no path"},
      {std::u16string(300, u'x'), true, u"", false, "a value longer than 520 bytes is not used"},
      {tooLong, true, u"", false, "a composed path past 259 characters is no player"},
  };
  for (const InstallDirCase& c : cases) {
    if (c.executableExists) dir_.WriteFile(u"QT/QuickTimePlayer.Exe", "exe");
    registry_.SetValue(kQuickTimePlayer.registryKey, u"InstallDir", c.value);
    std::u16string path = u"previous";
    EXPECT_EQ(player::DiscoverPlayer(system(), kQuickTimePlayer, path), c.expectedFound) << c.fault;
    EXPECT_EQ(path, c.expectedPath) << c.fault;
    std::filesystem::remove(std::filesystem::path(exe));
  }
}

TEST_F(PlayerTest, DiscoveryKeepsThePathWhenTheKeyDoesNotOpen) {
  for (const auto* variant : {&kQuickTimePlayer, &kWindowsMediaPlayer}) {
    std::u16string path = u"previous";
    EXPECT_FALSE(player::DiscoverPlayer(system(), *variant, path));
    EXPECT_EQ(path, u"previous");
  }
  // A key without the value empties the path.
  registry_.AddKey(kQuickTimePlayer.registryKey);
  std::u16string path = u"previous";
  EXPECT_FALSE(player::DiscoverPlayer(system(), kQuickTimePlayer, path));
  EXPECT_EQ(path, u"");
}

TEST_F(PlayerTest, WindowsMediaDiscoveryTestsThePathAsRead) {
  dir_.WriteFile(u"WMP/wmplayer.exe", "exe");
  dir_.MakeDir(u"Folder.exe");
  const std::u16string exe = Native(u"WMP/wmplayer.exe");
  struct {
    std::u16string value;
    bool found;
    const char* fault;
  } cases[] = {
      {exe, true, "an existing player is found"},
      {Native(u"WMP/missing.exe"), false, "a missing player keeps the long path and reports 0"},
      {Native(u"Folder.exe"), false, "a directory is no player"},
      {u"", false, "an empty path fails the existence test"},
  };
  for (const auto& c : cases) {
    registry_.SetValue(kWindowsMediaPlayer.registryKey, u"Player.Path", c.value);
    std::u16string path;
    EXPECT_EQ(player::DiscoverPlayer(system(), kWindowsMediaPlayer, path), c.found) << c.fault;
    const std::u16string expected = c.found ? *system().files.ShortPath(c.value) : c.value;
    EXPECT_EQ(path, expected) << c.fault;
  }
}

class PlayerHandoffTest : public PlayerTest {
 protected:
  std::u16string Describe(std::string_view text) {
    dir_.WriteFile(u"export.ini", text);
    return Native(u"export.ini");
  }
  std::vector<std::u16string> CommandLines() const {
    std::vector<std::u16string> lines;
    for (const platform::ProcessStart& start : processes_.starts) lines.push_back(start.commandLine);
    return lines;
  }
  const std::u16string player_ = u"P:\\QT\\QuickTimePlayer.Exe";
};

TEST_F(PlayerHandoffTest, StartsThePlayerOncePerObjectWithItsPrimaryMediaFile) {
  const std::u16string description = Describe(
      "[GENERAL]\r\nOBJCOUNT=4\r\n"
      "[OBJ1]\r\nMEDIA_V=C:\\clips\\one two.avi\r\nMEDIA_A1=C:\\clips\\one.wav\r\n"
      "[OBJ2]\r\nNAME=no media\r\n"
      "[OBJ3]\r\nMEDIA_V=\r\nMEDIA_A2=C:\\clips\\three.wav\r\n"
      "[OBJ4]\r\nMEDIA_A4=C:\\clips\\four.wav\r\n");
  player::StartPlayers(system(), player_, description);
  EXPECT_EQ(CommandLines(), (std::vector<std::u16string>{player_ + u" \"C:\\clips\\one two.avi",
                                                         player_ + u" \"C:\\clips\\three.wav",
                                                         player_ + u" \"C:\\clips\\four.wav"}));
  for (const platform::ProcessStart& start : processes_.starts) {
    EXPECT_EQ(start.application, player_);
    EXPECT_TRUE(start.showWindow);
    EXPECT_EQ(start.showCommand, 5);
    EXPECT_FALSE(start.workingDirectory);
    EXPECT_EQ(start.waitForIdleMs, 0u);
  }
}

TEST_F(PlayerHandoffTest, AByteOrderMarkHidesNoObject) {
  const std::string text = "[OBJ1]\r\nMEDIA_V=one.avi\r\n[GENERAL]\r\nOBJCOUNT=2\r\n[OBJ2]\r\nMEDIA_V=two.avi\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : text) utf16 += std::string{c, '\0'};
  for (const std::string& file : {text, "\xEF\xBB\xBF" + text, utf16}) {
    processes_.starts.clear();
    player::StartPlayers(system(), player_, Describe(file));
    EXPECT_EQ(CommandLines(), (std::vector<std::u16string>{player_ + u" \"one.avi", player_ + u" \"two.avi"})) << file;
  }
}

TEST_F(PlayerHandoffTest, StartsNothingWithoutObjectsOrPlayer) {
  const char* descriptions[] = {
      "[GENERAL]\r\n[OBJ1]\r\nMEDIA_V=a.avi\r\n",
      "[GENERAL]\r\nOBJCOUNT=0\r\n[OBJ1]\r\nMEDIA_V=a.avi\r\n",
      "[GENERAL]\r\nOBJCOUNT=-1\r\n[OBJ1]\r\nMEDIA_V=a.avi\r\n",
      "[GENERAL]\r\nOBJCOUNT=many\r\n[OBJ1]\r\nMEDIA_V=a.avi\r\n",
      "\x7f" "ELF\x01\x02\0\0[garbage\xff\xfe=\r\n\0\0",
  };
  for (const char* text : descriptions) {
    player::StartPlayers(system(), player_, Describe(text));
    EXPECT_TRUE(processes_.starts.empty()) << text;
  }
  player::StartPlayers(system(), player_, Native(u"missing.ini"));
  player::StartPlayers(system(), u"", Describe("[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_V=a.avi\r\n"));
  EXPECT_TRUE(processes_.starts.empty());
}

TEST_F(PlayerHandoffTest, AMediaPathHoldingAQuoteStartsNoPlayer) {
  // The quote would end the path and hand the player "--evil" and "x" as arguments of their own.
  player::StartPlayers(system(), player_,
                       Describe("[GENERAL]\r\nOBJCOUNT=3\r\n"
                                "[OBJ1]\r\nMEDIA_V=/m/a b.mov\" \"--evil\" \"x\r\nMEDIA_A1=/m/a.wav\r\n"
                                "[OBJ2]\r\nMEDIA_V=/m/two\".mov\r\n"
                                "[OBJ3]\r\nMEDIA_V=/m/three.mov\r\n"));
  EXPECT_EQ(CommandLines(), std::vector<std::u16string>{player_ + u" \"/m/three.mov"});
}

TEST_F(PlayerHandoffTest, CutsALongMediaPathToTheRoomLeftInTheLine) {
  const std::string longPath = "C:\\" + std::string(2000, 'm') + ".avi";
  player::StartPlayers(system(), player_,
                       Describe("[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_V=" + longPath + "\r\n"));
  ASSERT_EQ(processes_.starts.size(), 1u);
  const std::u16string& line = processes_.starts[0].commandLine;
  EXPECT_EQ(line.size(), player::kCommandLineChars - 1);
  EXPECT_EQ(line, player_ + u" \"" + platform::Widen(longPath).substr(0, 1023 - player_.size() - 2));
}

TEST_F(PlayerHandoffTest, HugeObjectCountVisitsOnlyTheSectionsPresent) {
  player::StartPlayers(system(), player_,
                       Describe("[GENERAL]\r\nOBJCOUNT=2147483647\r\n[OBJ5]\r\nMEDIA_V=five.avi\r\n"
                                "[obj2147483647]\r\nMEDIA_A1=last.wav\r\n[OBJ3]\r\nNAME=x\r\n"));
  EXPECT_EQ(CommandLines(), (std::vector<std::u16string>{player_ + u" \"five.avi", player_ + u" \"last.wav"}));
}

TEST_F(PlayerHandoffTest, ADescriptionBeyondTheLimitStartsNothingAndIsNotRead) {
  const std::string head = "[GENERAL]\r\nOBJCOUNT=2147483647\r\n[OBJ1]\r\nMEDIA_V=one.avi\r\n";
  const std::u16string description = Describe(head);
  // Sparse, so that 100 MB cost no time to write.
  for (const std::uintmax_t size : {std::uintmax_t{100} << 20, std::uintmax_t{contract::kMaxDescriptionBytes} + 1}) {
    std::filesystem::resize_file(dir_.FsPath() / "export.ini", size);
    player::StartPlayers(system(), player_, description);
    EXPECT_TRUE(processes_.starts.empty()) << size;
  }
  std::filesystem::resize_file(dir_.FsPath() / "export.ini", head.size());
  player::StartPlayers(system(), player_, description);
  EXPECT_EQ(CommandLines(), std::vector<std::u16string>{player_ + u" \"one.avi"});
}

}  // namespace
