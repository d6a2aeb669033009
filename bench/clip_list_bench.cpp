// Writing a clip list of N clips of eighteen keys: the clip list writer (one batch per clip) against one
// profile write per key, the baseline (on Windows the real profile function).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "contract/clip_info.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

contract::ClipInfo Clip(int number) {
  contract::ClipInfo clip;
  clip.number = number;
  clip.path = u"C:\\Capture\\Watch\\2026-12-10\\";
  clip.filename = u"take" + platform::FormatInt(number) + u".mxf";
  clip.routing = u"VA1A2A3A4";
  clip.mode = u"IMPORT";
  clip.name = clip.filename;
  clip.tcIn = u"10:00:00:00";
  return clip;
}

void WriteClipList(benchmark::State& state, bool perKey) {
  vorlane::test::TempDir dir;
  platform::Profile& profile = platform::RealSystem().profile;
  const std::u16string file = dir.Join(u"vorlane.ini");
  const int clips = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir.FsPath() / "vorlane.ini");
    state.ResumeTiming();
    for (int i = 0; i < clips; ++i) {
      const contract::ClipInfo clip = Clip(i);
      if (!perKey) {
        contract::SaveClipInfo(profile, file, &clip, contract::ClipInfoWriter::Fennick);
        continue;
      }
      const contract::ClipSection section = contract::ClipInfoSection(clip, contract::ClipInfoWriter::Fennick);
      for (const auto& entry : section.entries) {
        profile.WriteString(file, section.name, entry.key, std::u16string_view(entry.value));
      }
    }
  }
  state.SetLabel(std::to_string(std::filesystem::file_size(dir.FsPath() / "vorlane.ini")) + " bytes");
}

void ClipListWriter(benchmark::State& state) { WriteClipList(state, false); }
void PerKeyProfileWrites(benchmark::State& state) { WriteClipList(state, true); }

}  // namespace

BENCHMARK(ClipListWriter)->Arg(100)->Arg(400)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);
// Every per-key call reads and rewrites the whole file: minutes at 1000 clips under Wine.
BENCHMARK(PerKeyProfileWrites)->Arg(100)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
