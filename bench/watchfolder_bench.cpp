// Fennick's whole run over a watch folder of 10,000 media files of which 4,000 are new, against two
// baselines in the same run: listing the folder and reading each file's attributes with the standard
// library, and the run's clip list written with one fwrite; the same clips through the writer alone.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "contract/clip_info.h"
#include "contract/clip_list.h"
#include "one_write.h"
#include "file_time.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_system.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "watch_run.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 10000;
constexpr int kNewFiles = 4000;
constexpr std::uint64_t kWatchTime = 0x01DA000012345678ULL;
constexpr std::array<const char*, 4> kExtensions = {".mxf", ".avi", ".dif", ".m2v"};

// The folder, made once: every file of 4096 bytes, the new ones one step after the watch time each, the
// others before it; the four media patterns in equal shares.
struct WatchFolder {
  vorlane::test::TempDir dir;
  std::u16string watch;
  std::u16string settings;
  std::u16string clipList;

  WatchFolder() {
    dir.MakeDir(u"host");
    dir.MakeDir(u"watch");
    watch = dir.Join(u"watch") + platform::NativeSeparators(u"\\");
    settings = dir.Join(u"host/fennick.ini");
    clipList = dir.Join(u"host/vorlane.ini");
    const std::string content(4096, 'm');
    for (int i = 0; i < kFiles; ++i) {
      const std::u16string name = u"watch/take" + platform::FormatInt(100000 + i) +
                                  platform::Utf8ToUtf16(kExtensions[static_cast<std::size_t>(i) % kExtensions.size()]);
      dir.WriteFile(name, content);
      const std::uint64_t time = i < kNewFiles ? kWatchTime + 1 + static_cast<std::uint64_t>(i)
                                               : kWatchTime - 1 - static_cast<std::uint64_t>(i);
      vorlane::test::SetLastWriteTime(dir.Join(name), time);
    }
  }

  void StoreWatchTime() const {
    dir.WriteFile(u"host/fennick.ini", "[Settings]\r\nszStartupPath=" + platform::Utf16ToUtf8(watch) +
                                           "\r\nTimeH=01DA0000\r\nTimeL=12345678\r\n");
  }
};

WatchFolder& Folder() {
  static WatchFolder folder;
  return folder;
}

void WholeExecute(benchmark::State& state) {
  WatchFolder& folder = Folder();
  platform::fake::FakeClock clock;
  platform::fake::FakeDialogs dialogs;
  platform::System system = platform::fake::MakeSystem({.profile = &platform::RealSystem().profile,
                                                        .files = &platform::RealSystem().files,
                                                        .clock = &clock,
                                                        .dialogs = &dialogs});
  std::u16string folderText = folder.watch;
  watchfolder::WatchTime memory;
  for (auto _ : state) {
    state.PauseTiming();
    folder.StoreWatchTime();
    dialogs.folderAnswers.assign(1, folder.watch);
    state.ResumeTiming();
    watchfolder::RunWatchFolder(system, {folder.clipList, folder.settings, u"Watch", folderText, memory});
  }
  state.SetLabel(std::to_string(fs::file_size(fs::path(folder.clipList))) + " bytes of clip list");
}

volatile std::uint64_t listed = 0;  // keeps the baseline's reads from being optimised away

void ListWithStandardLibrary(benchmark::State& state) {
  const fs::path watch(Folder().watch);
  for (auto _ : state) {
    std::uint64_t newer = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(watch)) {
      if (!entry.is_regular_file()) continue;
      const auto written = fs::last_write_time(entry.path());
      newer += fs::file_size(entry.path()) >= 4096 && written.time_since_epoch().count() != 0 ? 1 : 0;
    }
    listed = newer;
  }
}

// The clips of the run, as the run's writer writes them.
void WriteClips(const WatchFolder& folder) {
  contract::ClipListWriter writer(platform::RealSystem().profile, folder.clipList);
  for (int i = 0; i < kNewFiles; ++i) {
    contract::ClipInfo clip;
    clip.number = i;
    clip.path = folder.watch;
    clip.filename = u"take" + platform::FormatInt(100000 + i) +
                    platform::Utf8ToUtf16(kExtensions[static_cast<std::size_t>(i) % kExtensions.size()]);
    clip.name = clip.filename;
    clip.routing = u"VA1A2A3A4";
    clip.mode = u"IMPORT";
    writer.Add(contract::ClipInfoSection(clip, contract::ClipInfoWriter::Fennick));
  }
  writer.Flush();
}

void WriteClipsAlone(benchmark::State& state) {
  WatchFolder& folder = Folder();
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(fs::path(folder.clipList));
    state.ResumeTiming();
    WriteClips(folder);
  }
}

// The physical limit of the run's writing: the same bytes into a fresh file with one fwrite.
void OneWriteOfTheClipList(benchmark::State& state) {
  WatchFolder& folder = Folder();
  fs::remove(fs::path(folder.clipList));
  WriteClips(folder);
  std::string bytes;
  {
    std::ifstream in(fs::path(folder.clipList), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  const fs::path file = fs::path(folder.clipList).replace_filename("one-write.ini");
  WriteAtOnce(state, file, bytes);
}

}  // namespace

BENCHMARK(ListWithStandardLibrary)->Arg(kNewFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OneWriteOfTheClipList)->Arg(kNewFiles)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(WriteClipsAlone)->Arg(kNewFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WholeExecute)->Arg(kNewFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
