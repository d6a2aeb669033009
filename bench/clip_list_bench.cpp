// Writing a clip list of N clips of eighteen keys: a run's writer (one write for the run) against the
// same bytes written with one fwrite, the physical limit; one batch per clip and one profile write per
// key as before; Sorrend's clip list writes and checks, first run and re-run; the same clips written
// again over the list a first run left; a description read key by key.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "contract/clip_info.h"
#include "contract/clip_list.h"
#include "one_write.h"
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

void OneBatchPerClip(benchmark::State& state) { WriteClipList(state, false); }
void PerKeyProfileWrites(benchmark::State& state) { WriteClipList(state, true); }

void WriteRun(const std::u16string& file, int clips) {
  contract::ClipListWriter writer(platform::RealSystem().profile, file);
  for (int i = 0; i < clips; ++i) writer.Add(contract::ClipInfoSection(Clip(i), contract::ClipInfoWriter::Fennick));
  writer.Flush();
}

// A receive run's clip list: every clip handed to the run's writer, which writes them at the end.
void RunWriter(benchmark::State& state) {
  vorlane::test::TempDir dir;
  const std::u16string file = dir.Join(u"vorlane.ini");
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir.FsPath() / "vorlane.ini");
    state.ResumeTiming();
    WriteRun(file, static_cast<int>(state.range(0)));
  }
  state.SetLabel(std::to_string(std::filesystem::file_size(dir.FsPath() / "vorlane.ini")) + " bytes");
}

// The physical limit: the bytes RunWriter gives, written into a fresh file with one fwrite.
void OneWrite(benchmark::State& state) {
  vorlane::test::TempDir dir;
  WriteRun(dir.Join(u"written.ini"), static_cast<int>(state.range(0)));
  const std::string bytes = dir.ReadFile(u"written.ini");
  const std::filesystem::path file = dir.FsPath() / "vorlane.ini";
  WriteAtOnce(state, file, bytes);
}

// Sorrend's clip list: its clips' sections written, then each read back before its flag is cleared; the
// re-run writes the same clips over the list the first run left.
void SorrendClipList(benchmark::State& state, bool rerun) {
  vorlane::test::TempDir dir;
  platform::Profile& profile = platform::RealSystem().profile;
  const std::u16string file = dir.Join(u"Vorlane.INI");
  std::vector<contract::ClipSection> sections;
  for (int i = 0; i < static_cast<int>(state.range(0)); ++i) {
    const std::u16string n = platform::FormatInt(i);
    sections.push_back(contract::ReimportedClipSection(
        i, {u"D:\\Audio\\Session\\", u"take" + n + u".wav", u"A1A2", u"Ann", u"1", n, u"Take " + n}));
  }
  std::size_t intact = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir.FsPath() / "Vorlane.INI");
    if (rerun) contract::WriteClipSections(profile, file, sections);
    state.ResumeTiming();
    contract::WriteClipSections(profile, file, sections);
    for (const bool same : contract::ClipSectionsReadBack(profile, file, sections)) intact += same ? 1 : 0;
  }
  state.SetLabel(std::to_string(intact) + " clips read back");
}

void SorrendFirstRun(benchmark::State& state) { SorrendClipList(state, false); }
void SorrendRerun(benchmark::State& state) { SorrendClipList(state, true); }

// The same N clips written again over the clip list an earlier run left, as a receive run that finds
// its clips still listed.
void ClipListRerun(benchmark::State& state) {
  vorlane::test::TempDir dir;
  platform::Profile& profile = platform::RealSystem().profile;
  const std::u16string file = dir.Join(u"vorlane.ini");
  const int clips = static_cast<int>(state.range(0));
  auto run = [&] {
    for (int i = 0; i < clips; ++i) {
      const contract::ClipInfo clip = Clip(i);
      contract::SaveClipInfo(profile, file, &clip, contract::ClipInfoWriter::Fennick);
    }
  };
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir.FsPath() / "vorlane.ini");
    run();
    state.ResumeTiming();
    run();
  }
}

// A description of N objects read key by key, as a send plug-in reads it; the baseline reads as many keys
// from a description of one object.
void ReadDescription(benchmark::State& state, bool oneObject) {
  vorlane::test::TempDir dir;
  platform::Profile& profile = platform::RealSystem().profile;
  const int objects = static_cast<int>(state.range(0));
  const char* const keys[] = {"TYPE", "NAME", "REEL", "MARKIN", "MARKOUT", "MEDIA_V", "MEDIA_A1", "MEDIA_A2"};
  const int written = oneObject ? 1 : objects;
  std::string text = "[GENERAL]\r\nOBJCOUNT=" + std::to_string(written) + "\r\n";
  for (int i = 1; i <= written; ++i) {
    text += "[OBJ" + std::to_string(i) + "]\r\n";
    for (const char* key : keys) text += std::string(key) + "=value of " + key + "\r\n";
  }
  dir.WriteFile(u"export.ini", text);
  const std::u16string file = dir.Join(u"export.ini");
  std::size_t read = 0;
  for (auto _ : state) {
    for (int i = 1; i <= objects; ++i) {
      const std::u16string section = u"OBJ" + platform::FormatInt(oneObject ? 1 : i);
      for (const char* key : keys) {
        read += profile.ReadString(file, section, platform::Widen(key), u"", 260).count;
      }
    }
  }
  state.SetLabel(std::to_string(read) + " characters read");
}

void DescriptionRead(benchmark::State& state) { ReadDescription(state, false); }
void OneObjectRead(benchmark::State& state) { ReadDescription(state, true); }

}  // namespace

BENCHMARK(OneWrite)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(RunWriter)->Arg(100)->Arg(400)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SorrendFirstRun)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SorrendRerun)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(OneBatchPerClip)->Arg(100)->Arg(400)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ClipListRerun)->Arg(100)->Arg(400)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(DescriptionRead)->Arg(100)->Arg(400)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OneObjectRead)->Arg(100)->Arg(400)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
// Every per-key call reads and rewrites the whole file: minutes at 1000 clips under Wine.
BENCHMARK(PerKeyProfileWrites)->Arg(100)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
