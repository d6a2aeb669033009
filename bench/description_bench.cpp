// Carvesh's read of an export description of N objects, and QN.TXT written for them: the reader over one
// snapshot of the file against the baseline of the same keys read one profile call each (on Windows the
// real profile functions).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "description_reader.h"
#include "encoder_payloads.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

// N source clips with the keys a host writes for them.
std::string Description(int objects, const std::string& mediaFolder) {
  std::string text = "[GENERAL]\r\nOBJCOUNT=" + std::to_string(objects) +
                     "\r\nPRJNAME=Harbour\r\nSYSTEM=PAL\r\nFPS=25\r\nSAMPLERATE=48000\r\nHSIZE=720\r\nVSIZE=576\r\n";
  for (int i = 1; i <= objects; ++i) {
    const std::string n = std::to_string(i);
    text += "[OBJ" + n + "]\r\nTYPE=SOURCECLIP\r\nNAME=take " + n + "\r\nREEL=R" + n +
            "\r\nMARKIN=10:00:00:00\r\nMARKOUT=10:00:10:00\r\nMEDIA_V=" + mediaFolder + "take" + n +
            ".avi\r\nMEDIA_A1=" + mediaFolder + "take" + n + ".wav\r\n";
  }
  return text;
}

void ReadAndWriteBatch(benchmark::State& state, bool perKey) {
  vorlane::test::TempDir dir;
  platform::System& system = platform::RealSystem();
  const int objects = static_cast<int>(state.range(0));
  dir.WriteFile(u"export.ini", Description(objects, platform::Utf16ToUtf8(dir.Join(u"media/"))));
  dir.MakeDir(u"Cleaner 5");
  const std::u16string description = dir.Join(u"export.ini");
  const std::u16string executable = dir.Join(u"Cleaner 5/cleaner 5.exe");
  bool allRead = true;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir.FsPath() / "Cleaner 5" / "QN.TXT");
    state.ResumeTiming();
    encoder::ExportDescription tree;
    bool read = false;
    if (perKey) {
      encoder::DescriptionReader reader(system.profile, system.files, description);
      read = reader.ReadDescription(tree);
    } else {
      read = encoder::ParseQuessaFile(system, description, &tree);
    }
    allRead = allRead && read && tree.objects.size() == static_cast<std::size_t>(objects);
    encoder::WriteBatchFile(system, executable, tree);
    encoder::ClearDescription(tree);
  }
  if (!allRead) {
    state.SetLabel("DESCRIPTION NOT READ");
    return;
  }
  state.SetLabel(std::to_string(std::filesystem::file_size(dir.FsPath() / "Cleaner 5" / "QN.TXT")) + " bytes QN.TXT");
}

void DescriptionSnapshot(benchmark::State& state) { ReadAndWriteBatch(state, false); }
void PerKeyProfileReads(benchmark::State& state) { ReadAndWriteBatch(state, true); }

}  // namespace

BENCHMARK(DescriptionSnapshot)->Arg(100)->Arg(400)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
// Every per-key call searches the whole file again: its cost grows with the square of the object count.
BENCHMARK(PerKeyProfileReads)->Arg(100)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
