// POSIX: plugin-host killed at random moments of a large run of each receive plug-in. Whatever the
// moment, every file the run rewrites is its old or its complete new copy, a source is marked done only
// with its clip in the clip list, the next complete run delivers every clip the killed one did not, none
// twice, and no new copy of a file stays behind.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <sstream>
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
using Names = std::multiset<std::u16string>;

constexpr std::uint64_t kWatchTime = 0x01DA000012345678ULL;
constexpr int kKills = 10;

std::string Numbered(const char* format, int n) {
  char text[32];
  std::snprintf(text, sizeof text, format, n);
  return text;
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// One plug-in's large run: its sources laid out once, the state before each run put back, and what a
// killed run left judged.
class Receiver {
 public:
  virtual ~Receiver() = default;
  virtual const char* Module() const = 0;
  virtual void LayOut() = 0;
  virtual int Clips() const { return 500; }
  // The state every run starts from: all sources new, the settings of a previous run.
  virtual void Reset() = 0;
  virtual std::vector<std::string> Options() const = 0;
  virtual std::u16string ClipList() const { return dir.Join(u"host/vorlane.ini"); }
  // After a clean run: what it wrote, to judge the killed runs by.
  virtual void Learn() {}
  // The clips a killed run delivered: those whose sources it marked done, all of them in its clip list.
  virtual Names Delivered() = 0;
  virtual Names All() const = 0;
  virtual std::vector<fs::path> Folders() const { return {dir.FsPath() / "host"}; }
  virtual bool Own(const std::string& name) const = 0;

  Names Listed() const {
    const std::vector<std::u16string> names = vorlane::test::ClipFilenames(ClipList());
    return {names.begin(), names.end()};
  }
  std::vector<std::string> Litter() const {
    std::vector<std::string> names;
    for (const fs::path& folder : Folders()) {
      for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != Module() && !Own(name)) names.push_back(name);
      }
    }
    return names;
  }
  vorlane::test::TempDir dir;
};

class Fennick final : public Receiver {
 public:
  const char* Module() const override { return FENNICK_FILE; }
  int Clips() const override { return 2000; }
  void LayOut() override {
    for (int i = 0; i < Clips(); ++i) {
      const std::u16string name = u"watch/" + Utf8ToUtf16(Numbered("f%04d.avi", i));
      dir.WriteFile(name, std::string(4096, 'm'));
      ASSERT_TRUE(vorlane::test::SetLastWriteTime(dir.Join(name), kWatchTime + 1 + static_cast<unsigned>(i)));
      all_.insert(Utf8ToUtf16(Numbered("f%04d.avi", i)));
    }
  }
  void Reset() override {
    dir.WriteFile(u"host/fennick.ini", "[Settings]\r\nszStartupPath=" + Utf16ToUtf8(dir.Join(u"watch")) +
                                           "/\r\nTimeH=01DA0000\r\nTimeL=12345678\r\n");
    before_ = StoredTime();
  }
  std::vector<std::string> Options() const override { return {"--folder", Utf16ToUtf8(dir.Join(u"watch"))}; }
  Names Delivered() override {
    // The time moves on only once the clip list holds every file.
    if (StoredTime() == before_) return {};
    const Names listed = Listed();
    EXPECT_EQ(std::set<std::u16string>(listed.begin(), listed.end()), std::set<std::u16string>(all_.begin(), all_.end()));
    return listed;
  }
  Names All() const override { return all_; }
  bool Own(const std::string& name) const override { return name == "vorlane.ini" || name == "fennick.ini"; }

 private:
  std::u16string StoredTime() const {
    platform::Profile& profile = platform::RealSystem().profile;
    const std::u16string settings = dir.Join(u"host/fennick.ini");
    return profile.ReadString(settings, u"Settings", u"TimeH", u"", 20).value +
           profile.ReadString(settings, u"Settings", u"TimeL", u"", 20).value;
  }
  Names all_;
  std::u16string before_;
};

class Moltrin final : public Receiver {
 public:
  const char* Module() const override { return MOLTRIN_FILE; }
  void LayOut() override {
    std::string list;
    for (int folder = 1; folder <= Clips() / 25; ++folder) {
      list += Numbered("%04d ", folder);
      for (int clip = 1; clip <= 25; ++clip)
        dir.WriteFile(Utf8ToUtf16(Numbered("rec/%04d/", folder) + Numbered("%06d.dvd", clip)), "dv");
    }
    dir.WriteFile(u"rec/list.dlt", list);
  }
  void Reset() override { dir.WriteFile(u"host/moltrin.ini", kPrevious); }
  std::vector<std::string> Options() const override { return {"--open", Utf16ToUtf8(dir.Join(u"rec/list.dlt"))}; }
  void Learn() override {
    settings_ = Settings();
    all_ = Listed();
  }
  // A recorder folder is never marked: a killed run delivers nothing. Its settings are written one by
  // one, each whole: every value is the old or the new one.
  Names Delivered() override {
    for (const auto& [key, value] : Settings()) {
      EXPECT_TRUE(value == settings_[key] || value == Previous()[key]) << key << "=" << value;
    }
    return {};
  }
  Names All() const override { return all_; }
  bool Own(const std::string& name) const override { return name == "vorlane.ini" || name == "moltrin.ini"; }

 private:
  static constexpr const char* kPrevious = "[Settings]\r\nszStartupPath=/earlier/choice.dlt\r\n";
  using Values = std::map<std::string, std::string>;
  static Values Parse(const std::string& text) {
    Values values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
  }
  static Values Previous() { return Parse(kPrevious); }
  Values Settings() const { return Parse(Bytes(dir.FsPath() / "host" / "moltrin.ini")); }
  Values settings_;
  Names all_;
};

class Sorrend final : public Receiver {
 public:
  const char* Module() const override { return SORREND_FILE; }
  void LayOut() override {
    for (int i = 0; i < Clips(); ++i) {
      const std::string take = Numbered("take%04d.wav", i);
      dir.WriteFile(u"audio/" + Utf8ToUtf16(take), "RIFF");
      all_.insert(Utf8ToUtf16(take));
    }
  }
  void Reset() override {
    for (int i = 0; i < Clips(); ++i) dir.WriteFile(Srb(i), Description(i, 1));
    fs::remove(fs::path(ClipList()));
  }
  std::vector<std::string> Options() const override {
    return {"--render-dir", Utf16ToUtf8(dir.Join(u"render")) + "/"};
  }
  std::u16string ClipList() const override { return dir.Join(u"host/Vorlane.INI"); }
  Names Delivered() override {
    const Names listed = Listed();
    Names delivered;
    for (int i = 0; i < Clips(); ++i) {
      const std::string bytes = dir.ReadFile(Srb(i));
      EXPECT_TRUE(bytes == Description(i, 1) || bytes == Description(i, 0)) << "a torn description file:\n" << bytes;
      if (bytes != Description(i, 0)) continue;
      const std::u16string take = Utf8ToUtf16(Numbered("take%04d.wav", i));
      EXPECT_EQ(listed.count(take), 1u) << Utf16ToUtf8(take) << " marked done but not in the clip list";
      delivered.insert(take);
    }
    // The host takes the clip list.
    fs::remove(fs::path(ClipList()));
    return delivered;
  }
  Names All() const override { return all_; }
  std::vector<fs::path> Folders() const override { return {dir.FsPath() / "host", dir.FsPath() / "render" / "Dovrel"}; }
  bool Own(const std::string& name) const override { return name == "Vorlane.INI" || name.ends_with(".SRB"); }

 private:
  static std::u16string Srb(int i) { return u"render/Dovrel/" + Utf8ToUtf16(Numbered("c%04d.SRB", i)); }
  std::string Description(int i, int modified) const {
    return "[CLIP 0]\r\n__MODIFIED=" + std::to_string(modified) + "\r\nPATH=" + Utf16ToUtf8(dir.Join(u"audio")) +
           "/\r\nFILENAME=" + Numbered("take%04d.wav", i) + "\r\nNAME=clip\r\n";
  }
  Names all_;
};

struct Plugin {
  const char* name;
  std::unique_ptr<Receiver> (*make)();
};

void PrintTo(const Plugin& plugin, std::ostream* out) { *out << plugin.name; }

class KilledRuns : public ::testing::TestWithParam<Plugin> {
 protected:
  void SetUp() override {
    receiver_ = GetParam().make();
    receiver_->dir.MakeDir(u"host");
    receiver_->dir.MakeDir(u"render/Dovrel");
    fs::copy_file(fs::path(VORLANE_BIN_DIR) / receiver_->Module(), receiver_->dir.FsPath() / "host" / receiver_->Module());
    receiver_->LayOut();
  }

  std::vector<std::string> Arguments() const {
    std::vector<std::string> arguments{std::string(VORLANE_BIN_DIR) + "/" + PLUGIN_HOST_FILE, "receive",
                                       Utf16ToUtf8(receiver_->dir.Join(u"host/" + Utf8ToUtf16(receiver_->Module())))};
    for (const std::string& option : receiver_->Options()) arguments.push_back(option);
    return arguments;
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

  std::unique_ptr<Receiver> receiver_;
};

TEST_P(KilledRuns, TheNextRunDeliversWhatAKilledOneDidNot) {
  Receiver& receiver = *receiver_;
  // How long a whole run takes here, so that the kills fall all over it.
  receiver.Reset();
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(RunWhole(), 0);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began);
  receiver.Learn();
  ASSERT_EQ(receiver.Listed().size(), static_cast<std::size_t>(receiver.Clips()));

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> moment(0, whole.count() * 11 / 10);
  int delivered = 0;
  int littered = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    receiver.Reset();
    const pid_t child = Start();
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    if (!receiver.Litter().empty()) ++littered;
    Names got = receiver.Delivered();
    if (!got.empty()) ++delivered;
    ASSERT_EQ(RunWhole(), 0);
    for (const std::u16string& name : receiver.Listed()) got.insert(name);
    EXPECT_EQ(got, receiver.All()) << "each clip once";
    EXPECT_EQ(receiver.Litter(), std::vector<std::string>{});
  }
  std::printf("%s: %d of %d killed runs had delivered clips, %d left a copy behind until the next run "
              "(a whole run: %lld us)\n",
              GetParam().name, delivered, kKills, littered, static_cast<long long>(whole.count()));
}

INSTANTIATE_TEST_SUITE_P(ReceivePlugins, KilledRuns,
                         ::testing::Values(Plugin{"Fennick", [] { return std::unique_ptr<Receiver>(new Fennick); }},
                                           Plugin{"Moltrin", [] { return std::unique_ptr<Receiver>(new Moltrin); }},
                                           Plugin{"Sorrend", [] { return std::unique_ptr<Receiver>(new Sorrend); }}),
                         [](const ::testing::TestParamInfo<Plugin>& param) { return std::string(param.param.name); });

}  // namespace
