// The player plug-ins driven by the stand-in host, as the demo drives them: `plugin-host send` with a
// registry file and a fake player that records every start.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/text.h"
#include "plugin_module.h"
#include "temp_dir.h"
#include "test_host.h"
#include "test_registry.h"

namespace {

class PlayerThroughHost : public ::testing::Test {
 protected:
  PlayerThroughHost() {
    dir_.MakeDir(u"starts");
    vorlane::test::SetEnvironment("VORLANE_FAKE_PLAYER_LOG", dir_.Join(u"starts"));
    dir_.MakeDir(u"QT");
    std::filesystem::copy_file(Built(FAKE_PLAYER_FILE), Path(u"QT/QuickTimePlayer.Exe"));
  }

  static std::filesystem::path Built(const char* file) {
    return std::filesystem::path(vorlane::test::BuiltModulePath(file));
  }
  std::filesystem::path Path(std::u16string_view relative) { return std::filesystem::path(dir_.Join(relative)); }

  // Runs one send session; the host waits for nothing, so the starts are collected after it ends.
  int Send(const char* plugin, const std::string& description) {
    dir_.WriteFile(u"export.ini", description);
    const std::string command = Built(PLUGIN_HOST_FILE).string() + " send " + Built(plugin).string() + " " +
                                Path(u"export.ini").string() + " --registry " +
                                platform::Utf16ToUtf8(registry_.File());
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Every start since the last look, once every started player has ended: a player records its start
  // before it ends, so that no record can come later.
  std::vector<std::string> Starts() {
    EXPECT_TRUE(started_.WaitUntilAllEnded()) << "a player did not end";
    return vorlane::test::TakeStartRecords(dir_.Join(u"starts"));
  }

  vorlane::test::TempDir dir_;
  vorlane::test::TestRegistry registry_;
  vorlane::test::StartedPrograms started_;
};

TEST_F(PlayerThroughHost, SendStartsOnePlayerPerObjectWithMedia) {
  registry_.Set(u"SOFTWARE\\Apple Computer, Inc.\\QuickTime", u"InstallDir", dir_.Join(u"QT"));
  EXPECT_EQ(Send(BROVIX_FILE, "[GENERAL]\r\nOBJCOUNT=3\r\n[OBJ1]\r\nMEDIA_V=one.avi\r\n[OBJ2]\r\nNAME=x\r\n"
                              "[OBJ3]\r\nMEDIA_A2=three two.wav\r\n"),
            0);
  const std::string player = platform::Utf16ToUtf8(dir_.Join(u"QT/QuickTimePlayer.Exe"));
  EXPECT_EQ(Starts(), (std::vector<std::string>{player + "\none.avi\n", player + "\nthree two.wav\n"}));
}

TEST_F(PlayerThroughHost, SendWithoutAnInstalledPlayerStartsNothing) {
  registry_.Set(u"SOFTWARE\\Apple Computer, Inc.\\QuickTime", u"InstallDir", u"");
  registry_.Set(u"SOFTWARE\\Microsoft\\Multimedia\\WMPlayer", u"Player.Path", dir_.Join(u"QT/missing.exe"));
  const std::string description = "[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nMEDIA_V=one.avi\r\n";
  EXPECT_EQ(Send(BROVIX_FILE, description), 0);
  EXPECT_EQ(Send(LUNDREL_FILE, description), 0);
  EXPECT_TRUE(Starts().empty());
}

}  // namespace
