// Finding the folder numbers a recorder's list file names, in a full 4096-byte text: the one-pass search
// against one search per folder number (the baseline).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "description_text.h"
#include "folder_numbers_by_search.h"

namespace {

// A list file of 4096 bytes naming every fifth folder, in the recorder's line form.
std::string ListText() {
  std::string text;
  for (int number = 1; text.size() < 4096; number = number % 500 + 5) {
    char line[32];
    std::snprintf(line, sizeof line, "CLIP %04d 00:00:10:00\r\n", number);
    text += line;
  }
  text.resize(4096);
  return text;
}

void FolderNumbersOnePass(benchmark::State& state) {
  const std::string text = ListText();
  for (auto _ : state) benchmark::DoNotOptimize(recorder::FolderNumbersIn(text));
}

void FolderNumbersOneSearchEach(benchmark::State& state) {
  const std::string text = ListText();
  for (auto _ : state) benchmark::DoNotOptimize(
      vorlane::test::FolderNumbersBySearch(text, recorder::kFirstFolderNumber, recorder::kLastFolderNumber));
}

}  // namespace

BENCHMARK(FolderNumbersOnePass);
BENCHMARK(FolderNumbersOneSearchEach);
BENCHMARK_MAIN();
