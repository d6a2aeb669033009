// POSIX: the receive plug-ins' runs when the disk beside the module fills part-way (a small tmpfs that
// the test mounts as root): the clip list holds all of a run's clips or none, what a run could not
// deliver comes with the next one, nothing comes twice, and no new copy of a file is left behind.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "clip_list_filenames.h"
#include "contract/module_files.h"
#include "file_time.h"
#include "import_run.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windows.h"
#include "platform/path.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "trace_lines.h"
#include "watch_run.h"

namespace {

namespace fs = std::filesystem;
using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

constexpr std::uint64_t kWatchTime = 0x01DA000012345678ULL;
constexpr std::size_t kPage = 4096;

// A tmpfs of `bytes` mounted at `at` while this lives; `filler` takes all but a given room of it.
class SmallDisk {
 public:
  SmallDisk(const fs::path& at, std::size_t bytes) : at_(at) {
    fs::create_directories(at);
    const std::string size = "size=" + std::to_string(bytes);
    mounted_ = geteuid() == 0 && mount("tmpfs", at.c_str(), "tmpfs", 0, size.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount2(at_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool Mounted() const { return mounted_; }

  void LeaveFree(std::size_t bytes) const {
    Unfill();
    struct statvfs st {};
    ASSERT_EQ(statvfs(at_.c_str(), &st), 0);
    const std::size_t available = static_cast<std::size_t>(st.f_bavail) * st.f_frsize;
    std::ofstream(at_ / "filler", std::ios::binary) << std::string(available > bytes ? available - bytes : 0, 'f');
  }
  void Unfill() const { fs::remove(at_ / "filler"); }

  // Files a rewrite left behind: every name but the plug-ins' own and the filler.
  std::vector<std::string> Leftovers(const std::set<std::string>& own) const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(at_)) {
      const std::string name = entry.path().filename().string();
      if (name != "filler" && own.count(name) == 0) names.push_back(name);
    }
    return names;
  }

 private:
  fs::path at_;
  bool mounted_ = false;
};

class ReceiveFullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!disk_.Mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
  }

  std::u16string OnDisk(std::u16string_view name) const { return dir_.Join(u"disk/" + std::u16string(name)); }
  std::vector<std::u16string> Filenames() const { return vorlane::test::ClipFilenames(OnDisk(u"vorlane.ini")); }

  vorlane::test::TempDir dir_;
  SmallDisk disk_{dir_.FsPath() / "disk", 64 * kPage};
  platform::fake::FakeClock clock_;
  platform::fake::FakeWindows windows_;
  platform::fake::FakeDialogs dialogs_;
  platform::System system_ = platform::fake::MakeSystem({.profile = &platform::RealSystem().profile,
                                                         .files = &platform::RealSystem().files,
                                                         .clock = &clock_,
                                                         .windows = &windows_,
                                                         .dialogs = &dialogs_});
  vorlane::test::TraceLines traces_;
};

TEST_F(ReceiveFullDisk, FennickDeliversEveryFileOnceWhateverRoomIsLeft) {
  constexpr int kFiles = 60;
  std::set<std::u16string> all;
  for (int i = 0; i < kFiles; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%02d.avi", i);
    dir_.WriteFile(u"watch/" + Utf8ToUtf16(name), std::string(4096, 'm'));
    ASSERT_TRUE(vorlane::test::SetLastWriteTime(dir_.Join(u"watch/" + Utf8ToUtf16(name)), kWatchTime + 1 + i));
    all.insert(Utf8ToUtf16(name));
  }
  const std::u16string watch = dir_.Join(u"watch") + platform::NativeSeparators(u"\\");
  const std::string settings =
      "[Settings]\r\nszStartupPath=" + Utf16ToUtf8(watch) + "\r\nTimeH=01DA0000\r\nTimeL=12345678\r\n";
  std::set<bool> outcomes;  // whether a first run on the full disk listed its files
  for (std::size_t pages = 0; pages <= 8; ++pages) {
    SCOPED_TRACE(std::to_string(pages) + " pages free");
    fs::remove(fs::path(OnDisk(u"vorlane.ini")));
    std::ofstream(fs::path(OnDisk(u"fennick.ini")), std::ios::binary) << settings;
    std::u16string folder = watch;
    watchfolder::WatchTime memory;
    const auto run = [&] {
      dialogs_.folderAnswers.push_back(dir_.Join(u"watch"));
      EXPECT_EQ(watchfolder::RunWatchFolder(system_, {OnDisk(u"vorlane.ini"), OnDisk(u"fennick.ini"), u"Watch",
                                                      folder, memory}),
                1);
      const std::vector<std::u16string> names = Filenames();
      return std::set<std::u16string>(names.begin(), names.end());
    };
    const auto storedTime = [&] {
      return platform::RealSystem().profile.ReadString(OnDisk(u"fennick.ini"), u"Settings", u"TimeH", u"", 20).value +
             platform::RealSystem().profile.ReadString(OnDisk(u"fennick.ini"), u"Settings", u"TimeL", u"", 20).value;
    };

    disk_.LeaveFree(pages * kPage);
    const std::set<std::u16string> first = run();
    outcomes.insert(first.empty());
    EXPECT_TRUE(first.empty() || first == all) << first.size() << " of " << kFiles << " listed";
    EXPECT_EQ(storedTime() == u"01DA000012345678", first.empty()) << "the time moves on only with the clips";
    disk_.Unfill();
    const std::set<std::u16string> second = run();
    EXPECT_EQ(first.empty() ? second : first, all) << "every file comes once";
    EXPECT_TRUE(first.empty() || second.empty()) << "no file comes twice";
    EXPECT_EQ(disk_.Leftovers({"vorlane.ini", "fennick.ini"}), std::vector<std::string>{});
  }
  EXPECT_EQ(outcomes.size(), 2u) << "the room left must reach from too little to enough";
}

TEST_F(ReceiveFullDisk, MoltrinWritesAllOfARunsClipsOrNoneAndSaysSo) {
  constexpr int kFolders = 20;  // 25 clips each
  std::string listText;
  for (int folder = 1; folder <= kFolders; ++folder) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", folder);
    listText += std::string(number) + " ";
    for (int clip = 1; clip <= 25; ++clip) {
      char media[32];
      std::snprintf(media, sizeof media, "rec/%s/%06d.dvd", number, clip);
      dir_.WriteFile(Utf8ToUtf16(media), "dv");
    }
  }
  dir_.WriteFile(u"rec/list.dlt", listText);
  const contract::ModuleFiles files{OnDisk(u"vorlane.ini"), OnDisk(u"moltrin.ini")};
  std::set<std::int32_t> outcomes;
  for (std::size_t pages = 0; pages <= 48; pages += 4) {
    SCOPED_TRACE(std::to_string(pages) + " pages free");
    traces_.Clear();
    disk_.LeaveFree(pages * kPage);
    dialogs_.openAnswers.push_back(platform::OpenFileAnswer{dir_.Join(u"rec/list.dlt") + u'\0' + u'\0', 1});
    std::u16string startupPath;
    const std::int32_t result = recorder::RunImport(system_, files, startupPath);
    outcomes.insert(result);
    const std::size_t clips = Filenames().size();
    if (result == 1) {
      EXPECT_EQ(clips, 25u * kFolders);
    } else {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(clips, 0u) << "a partial clip list is taken back";
      EXPECT_TRUE(traces_.Has("0 cannot write the clip of "));
    }
    disk_.Unfill();
    EXPECT_EQ(disk_.Leftovers({"vorlane.ini", "moltrin.ini"}), std::vector<std::string>{});
  }
  EXPECT_EQ(outcomes.size(), 2u) << "the room left must reach from too little to enough";
}

}  // namespace
