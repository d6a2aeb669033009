#pragma once
// The physical limit of writing a clip list: its bytes into a fresh file with one fwrite per iteration
// (the mingw-w64 C runtime's fwrite is one WriteFile).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

inline void WriteAtOnce(benchmark::State& state, const std::filesystem::path& file, const std::string& bytes) {
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(file);
    state.ResumeTiming();
    std::FILE* out = std::fopen(file.string().c_str(), "wb");
    if (out == nullptr) continue;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  state.SetLabel(std::to_string(bytes.size()) + " bytes");
}
