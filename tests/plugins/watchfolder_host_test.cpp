// Fennick as the stand-in host drives it, on both builds: `plugin-host receive Fennick --folder DIR`
// (Windows: the real folder browser, driven from a second thread of the host), with file times set
// exactly by the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "file_time.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "run_program.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kWatchTime = 0x01DA000012345678ULL;  // the time stored by the "previous run"
constexpr std::int64_t kNow = INT64_MIN;                     // a file written just before the run

struct MediaFile {
  const char* name;
  std::uint64_t size;
  std::int64_t offset;  // from kWatchTime, in 100 ns steps
};

enum class Answer { Watch, Root, Cancel };

struct HostRun {
  Answer answer;
  std::vector<std::string> clips;        // Filename of Clip0, Clip1 ... in order
  std::vector<std::string> output;       // lines the host's output must hold ("@" stands for the watch folder)
  bool timeKept;                         // TimeH and TimeL are what they were before the run
  std::vector<MediaFile> arriving = {};  // written after the runs before this one
};

struct Scenario {
  const char* fault;
  bool storedTime = true;                // the settings file holds kWatchTime; else there is no settings file
  bool storedWithSeparator = false;      // its folder ends in a separator
  std::vector<MediaFile> files;
  std::vector<const char*> directories;  // inside the watch folder
  int bulk = 0;                          // new files f0000.avi ...
  std::vector<HostRun> runs;
};

std::string Hex(std::uint32_t half) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", half);
  return text;
}

class WatchFolderHost {
 public:
  WatchFolderHost() {
    dir_.MakeDir(u"host");
    dir_.MakeDir(u"watch");
    fs::copy_file(fs::path(VORLANE_BIN_DIR) / FENNICK_FILE, dir_.FsPath() / "host" / FENNICK_FILE);
  }

  std::u16string Watch() const { return dir_.Join(u"watch"); }
  std::u16string Settings() const { return dir_.Join(u"host/fennick.ini"); }
  std::u16string ClipList() const { return dir_.Join(u"host/vorlane.ini"); }
  const vorlane::test::TempDir& Dir() const { return dir_; }

  void StoreSettings(const std::u16string& folder, std::uint64_t time) const {
    dir_.WriteFile(u"host/fennick.ini", "[Settings]\r\nszStartupPath=" + platform::Utf16ToUtf8(folder) +
                                            "\r\nTimeH=" + Hex(static_cast<std::uint32_t>(time >> 32)) +
                                            "\r\nTimeL=" + Hex(static_cast<std::uint32_t>(time)) + "\r\n");
  }

  void AddFile(const std::string& name, std::uint64_t size, std::int64_t offset) const {
    const std::u16string relative = u"watch/" + platform::Utf8ToUtf16(name);
    dir_.WriteFile(relative, std::string(static_cast<std::size_t>(size), 'm'));
    if (offset != kNow) {
      ASSERT_TRUE(vorlane::test::SetLastWriteTime(dir_.Join(relative), kWatchTime + static_cast<std::uint64_t>(offset)));
    }
  }

  // Runs one receive session; returns its exit status and fills `output` with what it wrote.
  int Receive(Answer answer, std::string& output) const {
    const std::u16string host = platform::Utf8ToUtf16(std::string(VORLANE_BIN_DIR) + "/" + PLUGIN_HOST_FILE);
    std::vector<std::u16string> arguments = {u"receive", dir_.Join(u"host/" + platform::Utf8ToUtf16(FENNICK_FILE)),
                                             u"--trace=10"};
    if (answer == Answer::Cancel) {
      arguments.push_back(u"--cancel");
    } else {
      arguments.push_back(u"--folder");
      arguments.push_back(answer == Answer::Root ? Root() : Watch());
    }
    const std::u16string outputFile = dir_.Join(u"output.txt");
    const int status = vorlane::test::RunProgram(host, arguments, outputFile);
    output = dir_.ReadFile(u"output.txt");
    return status;
  }

  // The root of the watch folder's drive: "C:\\" or "/".
  std::u16string Root() const {
    const std::u16string root = platform::NativeSeparators(u"\\");
    return platform::FileNamesIgnoreCase() ? Watch().substr(0, 2) + root : root;
  }

  std::u16string Setting(std::u16string_view key) const {
    return platform::RealSystem().profile.ReadString(Settings(), u"Settings", key, u"<absent>", 261).value;
  }

  std::u16string ClipFilename(int number) const {
    return platform::RealSystem().profile.ReadString(ClipList(), u"Clip" + platform::FormatInt(number), u"Filename",
                                                     u"<absent>", 261).value;
  }

 private:
  vorlane::test::TempDir dir_;
};

std::string Replace(std::string text, const std::string& folder) {
  for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + folder.size())) {
    text.replace(at, 1, folder);
  }
  return text;
}

TEST(FennickThroughPluginHost, ScenarioTable) {
  const std::string sep = platform::Utf16ToUtf8(platform::NativeSeparators(u"\\"));
  const Scenario scenarios[] = {
      {"a first run with no stored time lists nothing that was there before it", false, false,
       {{"before.mxf", 8192, kNow}}, {}, 0,
       {{Answer::Watch, {}, {"time Watch : 0000000000000000"}, false}}},
      {"only a time strictly later than the watch time is new", true, false,
       {{"equal.avi", 8192, 0}, {"later.avi", 8192, 1}, {"earlier.avi", 8192, -1}}, {}, 0,
       {{Answer::Watch, {"later.avi"}, {}, false}}},
      {"a file under 4096 bytes is skipped with its trace", true, false,
       {{"small.avi", 4095, 5}, {"whole.avi", 4096, 5}}, {}, 0,
       {{Answer::Watch, {"whole.avi"}, {"skip Clip : @" + sep + "small.avi (Size : 4095)",
                                        "new Clip : @" + sep + "whole.avi (Size : 4096)"}, false}}},
      {"patterns are scanned in order with one clip number across them", true, false,
       {{"b.avi", 8192, 10}, {"a.avi", 8192, 10}, {"z.mxf", 8192, 10}, {"notes.txt", 8192, 10}}, {}, 0,
       {{Answer::Watch, {"z.mxf", "a.avi", "b.avi"}, {"Searching @" + sep + "*.mxf"}, false}}},
      {"a directory named like a clip is never one", true, false, {{"real.avi", 8192, 3}}, {"x.avi"}, 0,
       {{Answer::Watch, {"real.avi"}, {}, false}}},
      {"a cancelled run keeps the stored time, so the next run lists the same files", true, false,
       {{"new.dif", 8192, 7}}, {}, 0,
       {{Answer::Cancel, {}, {}, true}, {Answer::Watch, {"new.dif"}, {}, false}}},
      {"a stored folder ending in a separator opens the browser on the folder without it", true, true, {}, {}, 0,
       {{Answer::Cancel, {}, {"opened on \"@\""}, true}}},
      {"a chosen drive root keeps its one separator", true, false, {}, {}, 0,
       {{Answer::Root, {}, {"Searching ^*.mxf"}, false}}},
      {"every new file of one pattern is listed, not only the first 1000", true, false, {}, {}, 1500,
       {{Answer::Watch, {}, {}, false}}},
      {"each file is listed exactly once over runs that find new files and then none", true, false,
       {{"first.avi", 8192, 5}}, {}, 0,
       {{Answer::Watch, {"first.avi"}, {}, false},
        {Answer::Watch, {"second.avi", "third.m2v"}, {}, false, {{"second.avi", 8192, kNow}, {"third.m2v", 8192, kNow}}},
        {Answer::Watch, {}, {}, false}}},
      {"a cancelled first run stores no time, and the next run takes its own moment", false, false, {}, {}, 0,
       {{Answer::Cancel, {}, {}, true}, {Answer::Watch, {}, {}, false, {{"between.avi", 8192, kNow}}}}},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.fault);
    WatchFolderHost host;
    const std::u16string watch = host.Watch();
    const std::u16string storedFolder = watch + (s.storedWithSeparator ? platform::NativeSeparators(u"\\") : u"");
    if (s.storedTime) host.StoreSettings(storedFolder, kWatchTime);
    for (const MediaFile& file : s.files) host.AddFile(file.name, file.size, file.offset);
    for (const char* directory : s.directories) host.Dir().MakeDir(u"watch/" + platform::Utf8ToUtf16(directory));
    for (int i = 0; i < s.bulk; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "f%04d.avi", i);
      host.AddFile(name, 4096, 1 + i);
    }
    for (const HostRun& run : s.runs) {
      for (const MediaFile& file : run.arriving) host.AddFile(file.name, file.size, file.offset);
      const std::u16string timeBefore = host.Setting(u"TimeH") + host.Setting(u"TimeL");
      std::string output;
      ASSERT_EQ(host.Receive(run.answer, output), 0) << output;
      for (const std::string& line : run.output) {
        std::string expected = Replace(line, platform::Utf16ToUtf8(watch));
        if (const auto at = expected.find('^'); at != std::string::npos) {
          expected.replace(at, 1, platform::Utf16ToUtf8(host.Root()));
        }
        EXPECT_NE(output.find(expected), std::string::npos) << "lacks: " << expected << "\n" << output;
      }
      const int expectedClips = s.bulk > 0 ? s.bulk : static_cast<int>(run.clips.size());
      for (int i = 0; i < static_cast<int>(run.clips.size()); ++i) {
        EXPECT_EQ(host.ClipFilename(i), platform::Utf8ToUtf16(run.clips[static_cast<std::size_t>(i)]));
      }
      if (s.bulk > 0) {
        EXPECT_EQ(host.ClipFilename(0), u"f0000.avi");
        EXPECT_EQ(host.ClipFilename(s.bulk - 1), u"f1499.avi");
      }
      if (expectedClips == 0) {
        EXPECT_FALSE(fs::exists(fs::path(host.ClipList()))) << "no clip, no clip list";
      } else {
        EXPECT_EQ(host.ClipFilename(expectedClips), u"<absent>");
      }
      const std::u16string timeAfter = host.Setting(u"TimeH") + host.Setting(u"TimeL");
      if (run.timeKept) {
        EXPECT_EQ(timeAfter, timeBefore);
        if (s.storedTime) { EXPECT_EQ(host.Setting(u"szStartupPath"), storedFolder); }
      } else {
        EXPECT_NE(timeAfter, timeBefore);
        EXPECT_NE(host.Setting(u"TimeH"), u"00000000");
        const std::u16string chosen = run.answer == Answer::Root ? host.Root() : watch + platform::NativeSeparators(u"\\");
        EXPECT_EQ(host.Setting(u"szStartupPath"), chosen) << "exactly one separator";
      }
    }
  }
}

}  // namespace
