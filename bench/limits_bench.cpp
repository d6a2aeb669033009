// Hostile sizes on every input path: a 100 MB description, settings file and clip list, a 10 MB line and a
// million sections, each against the baseline of reading the same file's bytes once. Run one case per
// process (--benchmark_filter): peak_MB is the process's peak resident memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "description_reader.h"
#include "platform/fake/fake_system.h"
#include "platform/system.h"
#include "platform/text.h"
#include "player_handoff.h"
#include "temp_dir.h"

namespace {

constexpr std::size_t kHundredMegabytes = 100u << 20;

class CountedStarts : public platform::Processes {
 public:
  platform::ProcessResult Start(const platform::ProcessStart&) override {
    ++starts;
    return {true, true};
  }
  std::size_t starts = 0;
};

// `head`, then numbered sections "[<prefix>n]" with one short key each (every 1000th with a media key)
// until the file holds `bytes`.
void WriteFile(const std::u16string& path, const std::string& head, const std::string& prefix, std::size_t bytes,
               std::size_t maxSections = static_cast<std::size_t>(-1)) {
  std::FILE* f = std::fopen(platform::Utf16ToUtf8(path).c_str(), "wb");
  std::fwrite(head.data(), 1, head.size(), f);
  std::size_t written = head.size();
  std::string chunk;
  for (std::size_t n = 1; written < bytes && n <= maxSections; ++n) {
    chunk = "[" + prefix + std::to_string(n) + "]\r\nNAME=take " + std::to_string(n) + "\r\n";
    if (n % 1000 == 0) chunk += "MEDIA_V=C:\\clips\\take" + std::to_string(n) + ".avi\r\n";
    std::fwrite(chunk.data(), 1, chunk.size(), f);
    written += chunk.size();
  }
  std::fclose(f);
}

void ReportPeak(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The physical limit: the file's bytes read once.
void ReadWholeFile(benchmark::State& state) {
  vorlane::test::TempDir dir;
  const std::u16string path = dir.Join(u"export.ini");
  WriteFile(path, "[GENERAL]\r\nOBJCOUNT=2147483647\r\n", "OBJ", kHundredMegabytes);
  for (auto _ : state) benchmark::DoNotOptimize(platform::RealSystem().files.ReadBytes(path, kHundredMegabytes + 1));
  ReportPeak(state);
}

void StartPlayers(benchmark::State& state, const std::string& head, std::size_t bytes, std::size_t sections) {
  vorlane::test::TempDir dir;
  const std::u16string path = dir.Join(u"export.ini");
  WriteFile(path, head, "OBJ", bytes, sections);
  CountedStarts processes;
  platform::System system = platform::fake::MakeSystem(
      {.profile = &platform::RealSystem().profile, .files = &platform::RealSystem().files, .processes = &processes});
  for (auto _ : state) player::StartPlayers(system, u"P:\\QT\\QuickTimePlayer.Exe", path);
  state.SetLabel(std::to_string(processes.starts) + " starts");
  ReportPeak(state);
}

// A description of 100 MB whose count says `range(0)` objects.
void PlayerDescription100MB(benchmark::State& state) {
  StartPlayers(state, "[GENERAL]\r\nOBJCOUNT=" + std::to_string(state.range(0)) + "\r\n", kHundredMegabytes,
               static_cast<std::size_t>(-1));
}

// A million object sections, and a count of 2147483647.
void PlayerMillionSections(benchmark::State& state) {
  StartPlayers(state, "[GENERAL]\r\nOBJCOUNT=2147483647\r\n", kHundredMegabytes, 1000000);
}

// One object whose media path and name are lines of 10 MB each.
void PlayerTenMegabyteLine(benchmark::State& state) {
  const std::string line(10u << 20, 'm');
  StartPlayers(state, "[GENERAL]\r\nOBJCOUNT=1\r\n[OBJ1]\r\nNAME=" + line + "\r\nMEDIA_V=C:\\" + line + "\r\n", 0, 0);
}

// Carvesh given a million object sections.
void CarveshMillionSections(benchmark::State& state) {
  vorlane::test::TempDir dir;
  const std::u16string path = dir.Join(u"export.ini");
  WriteFile(path, "[GENERAL]\r\nOBJCOUNT=1000000\r\n", "OBJ", kHundredMegabytes, 1000000);
  for (auto _ : state) {
    encoder::ExportDescription tree;
    benchmark::DoNotOptimize(encoder::ParseQuessaFile(platform::RealSystem(), path, &tree));
    encoder::ClearDescription(tree);
  }
  ReportPeak(state);
}

// One key read from a settings file of 100 MB.
void SettingsRead100MB(benchmark::State& state) {
  vorlane::test::TempDir dir;
  const std::u16string path = dir.Join(u"fennick.ini");
  WriteFile(path, "[Settings]\r\nszWatchFolder=C:\\watch\r\n", "S", kHundredMegabytes);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        platform::RealSystem().profile.ReadString(path, u"Settings", u"szWatchFolder", u"", 260));
  }
  ReportPeak(state);
}

// One clip section added to a clip list of 100 MB, as Sorrend adds its clips to the file it finds.
void ClipListAppend100MB(benchmark::State& state) {
  vorlane::test::TempDir dir;
  const std::u16string path = dir.Join(u"Vorlane.INI");
  WriteFile(path, "", "CLIP", kHundredMegabytes);
  int clip = 0;
  for (auto _ : state) {
    const std::u16string section = u"NEW" + platform::Widen(std::to_string(clip++));
    benchmark::DoNotOptimize(platform::RealSystem().profile.WriteSections(
        path, {{section, {{u"PATH", u"C:\\send"}, {u"MODE", u"IMPORT"}}}}));
  }
  ReportPeak(state);
}

BENCHMARK(ReadWholeFile)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PlayerDescription100MB)->Arg(20000)->Arg(2147483647)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PlayerMillionSections)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PlayerTenMegabyteLine)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(CarveshMillionSections)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsRead100MB)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ClipListAppend100MB)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
