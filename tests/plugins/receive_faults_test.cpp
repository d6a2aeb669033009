// The receive plug-ins' runs with the Nth file or profile operation failing, for every N up to a clean
// run's last one: whatever fails, the clip list is the one before or a complete new one, no source is
// consumed for a clip the host does not get, and the next clean run delivers the rest once.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "clip_list_filenames.h"
#include "contract/module_files.h"
#include "countdown_faults.h"
#include "file_time.h"
#include "import_run.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windows.h"
#include "platform/path.h"
#include "platform/text.h"
#include "reimport.h"
#include "temp_dir.h"
#include "trace_lines.h"
#include "watch_run.h"

namespace {

// A few clips a run: the sweep runs every plug-in's run some sixty times.
constexpr int kClips = 3;
constexpr std::uint64_t kWatchTime = 0x01DA000012345678ULL;

namespace fs = std::filesystem;
using Names = std::multiset<std::u16string>;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

std::optional<std::string> Bytes(const std::u16string& path) {
  return platform::RealSystem().files.ReadBytes(path, std::size_t{1} << 20);
}

// One receive plug-in's run over a folder laid out afresh; the host's side between runs (importing the
// clip list when the run reports success) is the test's.
class Receiver {
 public:
  virtual ~Receiver() = default;
  virtual void LayOut() = 0;
  virtual std::int32_t Run(platform::System& system) = 0;
  // Whether the host imports the clip list after a run that returned `result`.
  virtual bool Imports(std::int32_t result) const { return result == 1; }
  // The sources marked as delivered: the host must hold a clip of each.
  virtual Names Consumed() const = 0;
  virtual Names All() const = 0;
  virtual std::u16string ClipList() const = 0;
  // Files the plug-in itself keeps in the folders it writes; anything else there is litter.
  virtual std::vector<fs::path> Folders() const = 0;
  virtual std::set<std::string> Own() const = 0;
  // Whether a run lists what it can read and leaves the rest for the next (a recorder file that cannot
  // be opened is one the recorder still writes): then each clip it lists must be whole.
  virtual bool SkipsWhatItCannotRead() const { return false; }
  // Whether a clip whose source could not be marked done comes again: the host gets it twice rather than
  // never, since marking comes after the clip list.
  virtual bool RepeatsWhatItCannotMark() const { return false; }

  Names Listed() const {
    const std::vector<std::u16string> names = vorlane::test::ClipFilenames(ClipList());
    return {names.begin(), names.end()};
  }
  vorlane::test::TempDir dir;
  platform::fake::FakeClock clock;
  platform::fake::FakeWindows windows;
  platform::fake::FakeDialogs dialogs;
};

class FennickRun final : public Receiver {
 public:
  void LayOut() override {
    for (int i = 0; i < kClips; ++i) {
      const std::u16string name = u"watch/f" + platform::FormatInt(i) + u".avi";
      dir.WriteFile(name, std::string(4096, 'm'));
      ASSERT_TRUE(vorlane::test::SetLastWriteTime(dir.Join(name), kWatchTime + 1 + static_cast<unsigned>(i)));
    }
    dir.WriteFile(u"host/fennick.ini", "[Settings]\r\nszStartupPath=" + Utf16ToUtf8(dir.Join(u"watch")) +
                                           "/\r\nTimeH=01DA0000\r\nTimeL=12345678\r\n");
    dir.WriteFile(u"host/vorlane.ini", "[Clip0]\r\nFilename=earlier.avi\r\n");
    folder_ = dir.Join(u"watch/");
    memory_ = {};
  }
  std::int32_t Run(platform::System& system) override {
    dialogs.folderAnswers.push_back(dir.Join(u"watch"));
    return watchfolder::RunWatchFolder(system, {ClipList(), dir.Join(u"host/fennick.ini"), u"Watch", folder_, memory_});
  }
  Names Consumed() const override {
    platform::Profile& profile = platform::RealSystem().profile;
    const std::u16string settings = dir.Join(u"host/fennick.ini");
    const std::u16string text = profile.ReadString(settings, u"Settings", u"TimeH", u"", 20).value +
                                profile.ReadString(settings, u"Settings", u"TimeL", u"", 20).value;
    const std::uint64_t stored = std::stoull(Utf16ToUtf8(text), nullptr, 16);
    Names consumed;
    for (int i = 0; i < kClips; ++i) {
      if (kWatchTime + 1 + static_cast<unsigned>(i) <= stored) consumed.insert(u"f" + platform::FormatInt(i) + u".avi");
    }
    return consumed;
  }
  Names All() const override { return {u"f0.avi", u"f1.avi", u"f2.avi"}; }
  std::u16string ClipList() const override { return dir.Join(u"host/vorlane.ini"); }
  std::vector<fs::path> Folders() const override { return {dir.FsPath() / "host"}; }
  std::set<std::string> Own() const override { return {"vorlane.ini", "fennick.ini"}; }

 private:
  std::u16string folder_;
  watchfolder::WatchTime memory_;
};

class MoltrinRun final : public Receiver {
 public:
  void LayOut() override {
    dir.WriteFile(u"rec/list.dlt", "0001 0002 ");
    dir.WriteFile(u"rec/0001/000001.dvd", "dv");
    dir.WriteFile(u"rec/0001/000002.dvd", "dv");
    dir.WriteFile(u"rec/0002/000001.dvd", "dv");
    dir.WriteFile(u"host/vorlane.ini", "[Clip0]\r\nFilename=earlier.dvd\r\n");
    startupPath_.clear();
  }
  std::int32_t Run(platform::System& system) override {
    dialogs.openAnswers.push_back(platform::OpenFileAnswer{dir.Join(u"rec/list.dlt") + u'\0' + u'\0', 1});
    return recorder::RunImport(system, {ClipList(), dir.Join(u"host/moltrin.ini")}, startupPath_);
  }
  // A recorder folder is read, never marked: every run offers all of it again.
  Names Consumed() const override { return {}; }
  Names All() const override {
    Names all;
    for (const std::u16string& name : vorlane::test::ClipFilenames(ClipList())) all.insert(name);
    return all;
  }
  std::u16string ClipList() const override { return dir.Join(u"host/vorlane.ini"); }
  std::vector<fs::path> Folders() const override { return {dir.FsPath() / "host"}; }
  std::set<std::string> Own() const override { return {"vorlane.ini", "moltrin.ini"}; }
  bool SkipsWhatItCannotRead() const override { return true; }

 private:
  std::u16string startupPath_;
};

class SorrendRun final : public Receiver {
 public:
  class Host final : public sorrend::HostServices {
   public:
    explicit Host(SorrendRun& run) : run_(run) {}
    std::optional<std::u16string> DefaultRenderPath() override { return run_.dir.Join(u"render/"); }
    std::optional<std::u16string> ApplicationDirectory() override { return std::nullopt; }
    bool FileExists(const std::u16string& path) override {
      const auto entry = run_.system_->files.Attributes(path);
      return entry && !entry->isDirectory;
    }

   private:
    SorrendRun& run_;
  };

  void LayOut() override {
    for (int i = 0; i < kClips; ++i) {
      const std::string take = "take" + std::to_string(i) + ".wav";
      dir.WriteFile(u"audio/" + Utf8ToUtf16(take), "RIFF");
      dir.WriteFile(u"render/Dovrel/c" + platform::FormatInt(i) + u".SRB",
                    "[CLIP 0]\r\n__MODIFIED=1\r\nPATH=" + Utf16ToUtf8(dir.Join(u"audio/")) +
                        "\r\nFILENAME=" + take + "\r\nNAME=clip\r\n");
    }
    fs::create_directories(dir.FsPath() / "plugins");
  }
  std::int32_t Run(platform::System& system) override {
    system_ = &system;
    Host host(*this);
    sorrend::ReimportEditedAudio(system, host, dir.Join(u"plugins/Sorrend.so"));
    return 1;
  }
  bool Imports(std::int32_t) const override { return true; }
  Names Consumed() const override {
    Names consumed;
    for (int i = 0; i < kClips; ++i) {
      const std::u16string file = dir.Join(u"render/Dovrel/c" + platform::FormatInt(i) + u".SRB");
      if (platform::RealSystem().profile.ReadInt(file, u"Clip 0", u"__MODIFIED", 1) == 0)
        consumed.insert(u"take" + platform::FormatInt(i) + u".wav");
    }
    return consumed;
  }
  Names All() const override { return {u"take0.wav", u"take1.wav", u"take2.wav"}; }
  std::u16string ClipList() const override { return dir.Join(u"plugins/Vorlane.INI"); }
  std::vector<fs::path> Folders() const override {
    return {dir.FsPath() / "plugins", dir.FsPath() / "render" / "Dovrel"};
  }
  std::set<std::string> Own() const override { return {"Vorlane.INI", "c0.SRB", "c1.SRB", "c2.SRB"}; }
  bool SkipsWhatItCannotRead() const override { return true; }
  bool RepeatsWhatItCannotMark() const override { return true; }

 private:
  platform::System* system_ = nullptr;
};

std::vector<std::string> Litter(const Receiver& receiver) {
  std::vector<std::string> names;
  const std::set<std::string> own = receiver.Own();
  for (const fs::path& folder : receiver.Folders()) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (own.count(name) == 0) names.push_back(name);
    }
  }
  return names;
}

void Wipe(const vorlane::test::TempDir& dir) {
  for (const fs::directory_entry& entry : fs::directory_iterator(dir.FsPath())) fs::remove_all(entry.path());
}

// A clip list's sections, each as its lines without the section name, and whether they are numbered
// from 0 without a gap, as the host reads them.
struct Clips {
  std::multiset<std::string> bodies;
  bool numbered = true;
  bool IsPartOf(const Clips& whole) const {
    if (!numbered) return false;
    for (const std::string& body : bodies) {
      if (bodies.count(body) > whole.bodies.count(body)) return false;
    }
    return true;
  }
};

Clips ClipsOf(const std::string& text) {
  Clips clips;
  std::string body;
  int sections = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 2;
    if (line.starts_with("[")) {
      if (sections > 0) clips.bodies.insert(body);
      body.clear();
      clips.numbered = clips.numbered && (line == "[Clip" + std::to_string(sections) + "]" ||
                                          line == "[CLIP" + std::to_string(sections) + "]");
      ++sections;
    } else {
      body += line + "\n";
    }
  }
  if (sections > 0) clips.bodies.insert(body);
  return clips;
}

struct Outcome {
  std::int32_t result = 0;
  std::optional<std::string> clipList;
  bool threw = false;
};

Outcome RunWith(Receiver& receiver, vorlane::test::CountdownPlatform& faults) {
  platform::System system = platform::fake::MakeSystem({.profile = &faults.profile,
                                                        .files = &faults.files,
                                                        .clock = &receiver.clock,
                                                        .windows = &receiver.windows,
                                                        .dialogs = &receiver.dialogs});
  Outcome outcome;
  try {
    outcome.result = receiver.Run(system);
  } catch (...) {
    outcome.threw = true;
  }
  outcome.clipList = Bytes(receiver.ClipList());
  return outcome;
}

struct Plugin {
  const char* name;
  std::unique_ptr<Receiver> (*make)();
};

TEST(ReceiveFaults, NoFailingOperationLosesTearsOrRepeatsAClip) {
  const Plugin plugins[] = {
      {"Fennick", [] { return std::unique_ptr<Receiver>(new FennickRun); }},
      {"Moltrin", [] { return std::unique_ptr<Receiver>(new MoltrinRun); }},
      {"Sorrend", [] { return std::unique_ptr<Receiver>(new SorrendRun); }},
  };
  vorlane::test::TraceLines quiet;
  for (const Plugin& plugin : plugins) {
    for (const bool persistent : {false, true}) {
      SCOPED_TRACE(std::string(plugin.name) + (persistent ? ", every operation from the Nth on" : ", the Nth"));
      const std::unique_ptr<Receiver> receiver = plugin.make();
      receiver->LayOut();
      const std::optional<std::string> before = Bytes(receiver->ClipList());
      vorlane::test::CountdownPlatform clean;
      clean.countdown.logging = true;
      const Outcome whole = RunWith(*receiver, clean);
      ASSERT_EQ(whole.result, 1);
      ASSERT_TRUE(whole.clipList.has_value());
      const Names all = receiver->All();
      ASSERT_EQ(receiver->Listed(), all) << "a clean run delivers every source";
      const std::uint64_t points = clean.countdown.operations;

      std::uint64_t failedRuns = 0;
      for (std::uint64_t n = 1; n <= points; ++n) {
        SCOPED_TRACE("operation " + clean.countdown.log[static_cast<std::size_t>(n - 1)] + " of " + std::to_string(points) + " fails");
        Wipe(receiver->dir);
        receiver->LayOut();
        vorlane::test::CountdownPlatform faults;
        faults.countdown.failAt = n;
        faults.countdown.persistent = persistent;
        const Outcome failed = RunWith(*receiver, faults);
        EXPECT_FALSE(failed.threw);
        const bool complete = failed.clipList == whole.clipList;
        const bool empty = !failed.clipList || failed.clipList->empty();
        EXPECT_TRUE(complete || empty || failed.clipList == before ||
                    (receiver->SkipsWhatItCannotRead() && ClipsOf(*failed.clipList).IsPartOf(ClipsOf(*whole.clipList))))
            << "a torn clip list:\n" << failed.clipList.value_or("<none>");
        if (failed.result == 1 && before && !before->empty()) {
          EXPECT_NE(failed.clipList, before) << "old clips again";
        }
        const Names delivered = receiver->Imports(failed.result) ? receiver->Listed() : Names{};
        if (!complete) ++failedRuns;
        const Names consumed = receiver->Consumed();
        for (const std::u16string& source : consumed)
          EXPECT_EQ(delivered.count(source), 1u) << Utf16ToUtf8(source) << " marked done but not delivered";

        // The host takes the clip list; the next run goes on from there.
        if (plugin.name == std::string("Sorrend")) fs::remove(fs::path(receiver->ClipList()));
        vorlane::test::CountdownPlatform next;
        const Outcome after = RunWith(*receiver, next);
        EXPECT_FALSE(after.threw);
        Names got = delivered;
        if (receiver->Imports(after.result)) {
          for (const std::u16string& name : receiver->Listed()) got.insert(name);
        }
        if (plugin.name == std::string("Moltrin")) {
          EXPECT_EQ(after.clipList, whole.clipList) << "the next run imports the whole choice";
        } else {
          for (const std::u16string& source : got) EXPECT_EQ(all.count(source), 1u) << "an old clip again";
          for (const std::u16string& source : all) {
            EXPECT_GE(got.count(source), 1u) << Utf16ToUtf8(source) << " lost";
            if (!receiver->RepeatsWhatItCannotMark() || consumed.count(source) != 0) {
              EXPECT_LE(got.count(source), 1u) << Utf16ToUtf8(source) << " twice";
            }
          }
        }
        EXPECT_EQ(Litter(*receiver), std::vector<std::string>{});
      }
      std::printf("%s (%s): %llu injection points, %llu runs without the complete clip list\n", plugin.name,
                  persistent ? "persistent" : "single", static_cast<unsigned long long>(points),
                  static_cast<unsigned long long>(failedRuns));
    }
  }
}

}  // namespace
