// POSIX: plugin-host killed at random moments of a Fennick run over some thousand new files. Whatever
// the moment, the killed run has either stored nothing, or stored its time with every one of its files
// in the clip list (the host would import them once the run returns); the next complete run lists every
// file the killed one did not deliver, none twice, and leaves no new copy of a file beside the clip list.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "clip_list_filenames.h"
#include "file_time.h"
#include "platform/system.h"
#include "platform/text.h"
#include "run_program.h"
#include "temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

constexpr std::uint64_t kWatchTime = 0x01DA000012345678ULL;
constexpr int kFiles = 2000;
constexpr int kKills = 25;

class KilledRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeDir(u"host");
    fs::copy_file(fs::path(VORLANE_BIN_DIR) / FENNICK_FILE, dir_.FsPath() / "host" / FENNICK_FILE);
    for (int i = 0; i < kFiles; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%04d.avi", i);
      dir_.WriteFile(u"watch/" + Utf8ToUtf16(name), std::string(4096, 'm'));
      ASSERT_TRUE(vorlane::test::SetLastWriteTime(dir_.Join(u"watch/" + Utf8ToUtf16(name)), kWatchTime + 1 + i));
      all_.insert(Utf8ToUtf16(name));
    }
  }

  // The state a previous run left: every file of the watch folder is new.
  void StorePreviousRun() const {
    dir_.WriteFile(u"host/fennick.ini", "[Settings]\r\nszStartupPath=" + Utf16ToUtf8(dir_.Join(u"watch")) +
                                            "/\r\nTimeH=01DA0000\r\nTimeL=12345678\r\n");
  }
  std::vector<std::string> Arguments() const {
    return {std::string(VORLANE_BIN_DIR) + "/" + PLUGIN_HOST_FILE, "receive",
            Utf16ToUtf8(dir_.Join(u"host/" + Utf8ToUtf16(FENNICK_FILE))), "--folder", Utf16ToUtf8(dir_.Join(u"watch"))};
  }
  pid_t Start() const {
    std::vector<std::string> texts = Arguments();
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? child : -1;
  }
  int RunWhole() const {
    const std::vector<std::string> texts = Arguments();
    std::vector<std::u16string> arguments;
    for (std::size_t i = 1; i < texts.size(); ++i) arguments.push_back(Utf8ToUtf16(texts[i]));
    return vorlane::test::RunProgram(Utf8ToUtf16(texts[0]), arguments);
  }
  std::u16string StoredTime() const {
    platform::Profile& profile = platform::RealSystem().profile;
    const std::u16string settings = dir_.Join(u"host/fennick.ini");
    return profile.ReadString(settings, u"Settings", u"TimeH", u"", 20).value +
           profile.ReadString(settings, u"Settings", u"TimeL", u"", 20).value;
  }
  std::multiset<std::u16string> Listed() const {
    const std::vector<std::u16string> names = vorlane::test::ClipFilenames(dir_.Join(u"host/vorlane.ini"));
    return {names.begin(), names.end()};
  }
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_.FsPath() / "host")) {
      const std::string name = entry.path().filename().string();
      if (name != "fennick.ini" && name != "vorlane.ini" && name != FENNICK_FILE) names.push_back(name);
    }
    return names;
  }

  vorlane::test::TempDir dir_;
  std::set<std::u16string> all_;
};

TEST_F(KilledRuns, TheNextRunDeliversWhatAKilledOneDidNot) {
  // How long a whole run takes here, so that the kills fall all over it.
  StorePreviousRun();
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(RunWhole(), 0);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began);
  ASSERT_EQ(Listed().size(), static_cast<std::size_t>(kFiles));

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> moment(0, whole.count() * 11 / 10);
  int delivered = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    StorePreviousRun();
    const std::u16string before = StoredTime();
    const pid_t child = Start();
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    std::multiset<std::u16string> listed;
    if (StoredTime() != before) {
      // The run had stored its time: then its clip list holds every file.
      listed = Listed();
      EXPECT_EQ(std::set<std::u16string>(listed.begin(), listed.end()), all_);
      ++delivered;
    }
    ASSERT_EQ(RunWhole(), 0);
    for (const std::u16string& name : Listed()) listed.insert(name);
    EXPECT_EQ(listed.size(), all_.size()) << "each file once";
    EXPECT_EQ(std::set<std::u16string>(listed.begin(), listed.end()), all_);
    EXPECT_EQ(Leftovers(), std::vector<std::string>{});
  }
  std::printf("%d of %d killed runs had delivered their files (a whole run: %lld us)\n", delivered, kKills,
              static_cast<long long>(whole.count()));
}

}  // namespace
