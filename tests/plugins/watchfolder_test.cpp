// Fennick's run over real files and profile functions in a temporary directory, with fake dialogs,
// windows and clock, and faults in the files and the profile: what a bad input leaves behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "clip_list_filenames.h"
#include "file_time.h"
#include "flaky_files.h"
#include "flaky_profile.h"
#include "folder_choice.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windows.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "trace_lines.h"
#include "watch_run.h"
#include "watch_time.h"

namespace {

namespace fs = std::filesystem;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

constexpr std::uint64_t kWatchTime = 0x01DA000012345678ULL;

std::u16string Sep() { return platform::NativeSeparators(u"\\"); }

// Public, so that the case table's arrangements can reach it.
class WatchFolderRun : public ::testing::Test {
 public:
  void SetUp() override {
    dir_.MakeDir(u"host");
    dir_.MakeDir(u"watch");
  }

  std::u16string Watch() const { return dir_.Join(u"watch") + Sep(); }
  std::u16string Settings() const { return dir_.Join(u"host/fennick.ini"); }
  std::u16string ClipList() const { return dir_.Join(u"host/vorlane.ini"); }

  void Store(const std::string& high, const std::string& low) {
    dir_.WriteFile(u"host/fennick.ini", "[Settings]\r\nszStartupPath=" + Utf16ToUtf8(Watch()) + "\r\nTimeH=" + high +
                                            "\r\nTimeL=" + low + "\r\n");
  }
  void AddMedia(const std::u16string& name, std::uint64_t offset) {
    dir_.WriteFile(u"watch/" + name, std::string(8192, 'm'));
    ASSERT_TRUE(vorlane::test::SetLastWriteTime(dir_.Join(u"watch/" + name), kWatchTime + offset));
  }
  std::int32_t Run(const std::optional<std::u16string>& answer) {
    dialogs_.folderAnswers.push_back(answer);
    return watchfolder::RunWatchFolder(system_, {ClipList(), Settings(), u"Vorlane Watch    SetWatchfolder",
                                                 folder_, memory_});
  }
  std::u16string Setting(std::u16string_view key) {
    return platform::RealSystem().profile.ReadString(Settings(), u"Settings", key, u"<absent>", 261).value;
  }
  std::vector<std::u16string> ClipFilenames() const { return vorlane::test::ClipFilenames(ClipList()); }
  bool Traced(const std::string& text) const { return traces_.Has(text); }

  vorlane::test::TempDir dir_;
  vorlane::test::FlakyProfile profile_{platform::RealSystem().profile};
  vorlane::test::FlakyFiles files_{platform::RealSystem().files};
  platform::fake::FakeClock clock_;
  platform::fake::FakeWindows windows_;
  platform::fake::FakeDialogs dialogs_;
  platform::System system_ = platform::fake::MakeSystem(
      {&profile_, nullptr, &files_, nullptr, &clock_, &windows_, nullptr, nullptr, &dialogs_});
  std::u16string folder_;
  watchfolder::WatchTime memory_;
  vorlane::test::TraceLines traces_;
};

TEST_F(WatchFolderRun, BadInputGivesTheResultListsWhatItSafelyCanAndKeepsWhatCouldNotBeListed) {
  struct Case {
    const char* fault;
    void (*arrange)(WatchFolderRun& run);
    std::optional<std::u16string> answer;  // relative to the temporary directory; nothing: cancel
    std::vector<std::u16string> clips;
    bool timeKept;      // TimeH/TimeL hold the stored watch time afterwards
    std::string trace;  // a trace the run must give ("" none)
    std::int32_t result = 1;
  };
  // A folder of 258 characters: with its separator it fills the path limit, leaving no room for a pattern.
  const std::size_t room = platform::kMaxPathChars - 1 - dir_.Join(u"watch/").size() - 1;
  const std::u16string longFolder =
      u"watch/" + std::u16string(room / 2, u'l') + u"/" + std::u16string(room - room / 2, u'n');
  const Case cases[] = {
      {"a watch folder that does not exist stores the previous time back", nullptr, u"missing", {}, true,
       "0 cannot read the watch folder"},
      {"a file that vanishes before its attributes are read is skipped, the rest listed",
       [](WatchFolderRun& r) { r.files_.vanishing = u"gone.avi"; }, u"watch", {u"kept.avi"}, false, "gone Clip : "},
      {"a settings file that cannot be written lists nothing: its time cannot move on, so the clips would come "
       "again",
       [](WatchFolderRun& r) {
         r.profile_.failingFile = r.Settings();
         r.profile_.failures = 100;
       },
       u"watch", {}, true, "0 cannot store the watch time"},
      {"a new time that cannot be stored after the clips takes the clip list back",
       [](WatchFolderRun& r) {
         r.profile_.failingFile = r.Settings();
         r.profile_.passing = 2;  // the folder and the moment
         r.profile_.failures = 1;
       },
       u"watch", {}, true, "0 cannot store the watch time"},
      {"a clip list that cannot be deleted is emptied, and the run lists without the old clips",
       [](WatchFolderRun& r) {
         r.dir_.WriteFile(u"host/vorlane.ini", "[Clip0]\r\nFilename=earlier.avi\r\n");
         r.files_.undeletable = r.ClipList();
       },
       u"watch", {u"gone.avi", u"kept.avi"}, false, ""},
      {"a clip list that can be neither deleted nor emptied ends the run with 0 before the browser",
       [](WatchFolderRun& r) {
         r.dir_.WriteFile(u"host/vorlane.ini", "[Clip0]\r\nFilename=earlier.avi\r\n");
         r.files_.undeletable = r.ClipList();
         r.files_.stuck = true;
       },
       u"watch", {u"earlier.avi"}, true, "0 cannot delete ", 0},
      {"clips that cannot be written leave no clip list and the stored time, so all come again",
       [](WatchFolderRun& r) {
         r.profile_.failingFile = r.ClipList();
         r.profile_.failures = 1;
       },
       u"watch", {}, true, "0 cannot write the clip of "},
      {"a chosen folder with no room for the pattern lists nothing and stores the previous time back", nullptr,
       longFolder, {}, true, "0 Search path too long"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    WatchFolderRun& run = *this;
    fs::remove_all(dir_.FsPath() / "host");
    fs::remove_all(dir_.FsPath() / "watch");
    dir_.MakeDir(u"host");
    dir_.MakeDir(longFolder);
    Store("01DA0000", "12345678");
    AddMedia(u"gone.avi", 1);
    AddMedia(u"kept.avi", 2);
    profile_.failures = 0;
    profile_.passing = 0;
    files_.undeletable.clear();
    files_.stuck = false;
    files_.vanishing.clear();
    dialogs_.folderAnswers.clear();
    traces_.Clear();
    folder_ = Watch();
    if (c.arrange != nullptr) c.arrange(run);
    const std::optional<std::u16string> answer =
        c.answer ? std::optional<std::u16string>(dir_.Join(*c.answer)) : std::nullopt;

    EXPECT_EQ(Run(answer), c.result);
    EXPECT_EQ(ClipFilenames(), c.clips);
    if (c.timeKept) {
      EXPECT_EQ(Setting(u"TimeH") + Setting(u"TimeL"), u"01DA000012345678");
    } else {
      EXPECT_NE(Setting(u"TimeH") + Setting(u"TimeL"), u"01DA000012345678");
    }
    if (!c.trace.empty()) { EXPECT_TRUE(Traced(c.trace)) << c.trace; }
  }
  EXPECT_EQ(dir_.Join(longFolder).size(), platform::kMaxPathChars - 1);
}

// Runs in a row over one watch folder, with the file system's own times: whatever arrives before, between
// or during the runs, each file is listed by one run at most, and every file written after a first run's
// moment by exactly one.
TEST_F(WatchFolderRun, EachFileIsListedByExactlyOneRunOfASequence) {
  std::map<std::u16string, int> listed;
  const auto run = [&](const std::optional<std::u16string>& answer) {
    EXPECT_EQ(Run(answer), 1);
    for (const std::u16string& name : ClipFilenames()) ++listed[name];
  };
  const auto now = [&] {
    // The file system's present moment: what it stamps a write with now.
    dir_.WriteFile(u"host/clock", "x");
    return platform::RealSystem().files.Attributes(dir_.Join(u"host/clock"))->lastWriteTime;
  };
  // A run's moment must lie past a file that the test stamps just after the previous one.
  const auto waitForClockPast = [&](std::uint64_t time) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (now() <= time) ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the file clock stands still";
  };
  const auto stored = [&] {
    return watchfolder::WatchTime{*watchfolder::ParseTimeHalf(Setting(u"TimeH")),
                                  *watchfolder::ParseTimeHalf(Setting(u"TimeL"))}
        .Value();
  };
  const auto addAt = [&](const std::u16string& name, std::uint64_t time) {
    dir_.WriteFile(u"watch/" + name, std::string(8192, 'm'));
    ASSERT_TRUE(vorlane::test::SetLastWriteTime(dir_.Join(u"watch/" + name), time));
  };
  const std::u16string watch = dir_.Join(u"watch");
  folder_ = Watch();

  addAt(u"before.avi", kWatchTime);
  run(watch);  // a first run: its own moment becomes the watch time
  const std::uint64_t first = stored();
  addAt(u"equal.avi", first);
  addAt(u"second.avi", first + 1);
  waitForClockPast(first + 1);
  run(watch);
  run(watch);  // nothing new
  addAt(u"seen.mxf", kWatchTime);
  files_.duringScan = [&] {
    // Written while the run scans, after its moment: the next run's, whole.
    const std::uint64_t moment = platform::RealSystem().files.Attributes(Settings())->lastWriteTime;
    addAt(u"during.avi", moment + 1);
  };
  run(watch);
  EXPECT_EQ(listed.count(u"during.avi"), 0u) << "written after the run's moment";
  waitForClockPast(platform::RealSystem().files.Attributes(dir_.Join(u"watch/during.avi"))->lastWriteTime);
  run(watch);

  // A cancelled first run stores no time: the next run takes its own moment, not the cancelled one's.
  fs::remove(fs::path(Settings()));
  memory_ = {};
  run(std::nullopt);
  const std::uint64_t cancelled = platform::RealSystem().files.Attributes(Settings())->lastWriteTime;
  addAt(u"after-cancel.avi", cancelled + 1);
  waitForClockPast(cancelled + 1);
  run(watch);
  run(watch);

  const std::map<std::u16string, int> expected = {{u"second.avi", 1}, {u"during.avi", 1}};
  EXPECT_EQ(listed, expected);
}

TEST_F(WatchFolderRun, AFileWhoseFullPathDoesNotFitIsSkippedAsAFailure) {
  const std::size_t room = platform::kMaxPathChars - Watch().size();
  const std::u16string name = std::u16string(room - 3, u'x') + u".avi";  // one past the limit
  try {
    AddMedia(name, 5);
  } catch (const std::exception&) {
    GTEST_SKIP() << "this build's files cannot hold a path past 259 characters";
  }
  AddMedia(u"short.avi", 5);
  Store("01DA0000", "12345678");
  folder_ = Watch();
  EXPECT_EQ(Run(dir_.Join(u"watch")), 1);
  EXPECT_EQ(ClipFilenames(), std::vector<std::u16string>{u"short.avi"});
  EXPECT_TRUE(Traced("0 skip Clip : " + Utf16ToUtf8(Watch() + name) + " (path too long)"));
}

TEST_F(WatchFolderRun, OnAVolumeOfTwoSecondTimesTheRunWaitsPastItsMomentAndListsEachFileOnce) {
  files_.evenSeconds = true;
  Store("01DA0000", "12345678");
  AddMedia(u"late.avi", 5);
  folder_ = Watch();
  EXPECT_EQ(Run(dir_.Join(u"watch")), 1);
  EXPECT_EQ(ClipFilenames(), std::vector<std::u16string>{u"late.avi"});
  EXPECT_EQ(clock_.sleeps, std::vector<std::uint32_t>{2000}) << "a moment of whole seconds may lie ahead";
  EXPECT_EQ(Run(dir_.Join(u"watch")), 1);
  EXPECT_TRUE(ClipFilenames().empty());
}

TEST_F(WatchFolderRun, JunkInAStoredHalfKeepsTheHalfInMemory) {
  AddMedia(u"at-watch-time.mxf", 0);
  Store("01DA0000", "junk");
  EXPECT_EQ(Run(Watch()), 1);
  // The low half stayed 0, so a file at the full stored time is later than the watch time.
  EXPECT_EQ(ClipFilenames(), std::vector<std::u16string>{u"at-watch-time.mxf"});
  EXPECT_EQ(clock_.sleeps, std::vector<std::uint32_t>{100}) << "the pause after the run's moment alone";

  Store(" zz", "12345678");
  memory_ = {};
  clock_.sleeps.clear();
  EXPECT_EQ(Run(Watch()), 1);
  EXPECT_EQ(clock_.sleeps, (std::vector<std::uint32_t>{100, 100})) << "a high half of 0 is a first run";
  EXPECT_TRUE(ClipFilenames().empty());
}

TEST(WatchTime, HalvesReadAsEightHexDigitsAndWriteAsEightUpperCaseOnes) {
  struct Case {
    std::u16string_view text;
    std::optional<std::uint32_t> half;
  };
  const Case cases[] = {{u"01DA0000", 0x01DA0000u}, {u"  1f", 0x1Fu},   {u"123456789", 0x12345678u},
                        {u"ffffffff", 0xFFFFFFFFu}, {u"12x4", 0x12u},   {u"zz", std::nullopt},
                        {u"", std::nullopt},        {u"-1", std::nullopt}};
  for (const Case& c : cases) {
    EXPECT_EQ(watchfolder::ParseTimeHalf(c.text), c.half) << Utf16ToUtf8(c.text);
  }
  EXPECT_EQ(watchfolder::FormatTimeHalf(0x01DAB00Cu), u"01DAB00C");
  EXPECT_EQ(watchfolder::FormatTimeHalf(0), u"00000000");
}

TEST(FolderChoice, TheBrowserOpensWithoutTheSeparatorAndAChoiceEndsInExactlyOne) {
  struct Case {
    std::u16string folder;
    std::optional<std::u16string> answer;
    std::u16string opensOn;
    bool chosen;
    std::u16string after;
  };
  const std::u16string s = Sep();
  const std::u16string tooLong = s + std::u16string(platform::kMaxPathChars - 1, u'x');
  const Case cases[] = {
      {s + u"w" + s, s + u"v", s + u"w", true, s + u"v" + s},
      {s + u"w" + s, std::nullopt, s + u"w", false, s + u"w"},
      {u"", s, u"", true, s},
      {s + u"w", s + u"v" + s, s + u"w", true, s + u"v" + s},
      {s + u"w", tooLong, s + u"w", false, s + u"w"},
  };
  for (const Case& c : cases) {
    platform::fake::FakeDialogs dialogs;
    dialogs.folderAnswers.push_back(c.answer);
    std::u16string folder = c.folder;
    EXPECT_EQ(watchfolder::ChooseWatchFolder(dialogs, folder, nullptr, u"t"), c.chosen);
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].initialFolder, c.opensOn);
    EXPECT_EQ(folder, c.after);
  }
}

TEST(FolderChoice, TheHostMainWindowOwnsTheBrowserElseTheDesktop) {
  platform::fake::FakeWindows windows;
  EXPECT_EQ(watchfolder::FindHostMainWindow(windows), windows.desktop);
  windows.windows.push_back({reinterpret_cast<platform::WindowHandle>(0x77), u"PEXA_BLUE", u"any title", nullptr, {}});
  EXPECT_EQ(watchfolder::FindHostMainWindow(windows), reinterpret_cast<platform::WindowHandle>(0x77));
}

}  // namespace
