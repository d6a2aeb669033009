#pragma once
// The part of Google Benchmark's interface that bench/ uses, for builds that have no Google Benchmark
// (the mingw-w64 builds here). Measures wall time per iteration, excluding paused stretches; accepts
// --benchmark_filter=REGEX. Not a replacement for the real library's statistics.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

// Keeps the compiler from dropping a result that is never read.
template <class T>
void DoNotOptimize(T&& value) {
  asm volatile("" : : "g"(&value) : "memory");
}

class State {
 public:
  State(std::int64_t arg, std::int64_t iterations) : arg_(arg), iterations_(iterations) {}
  std::int64_t range(int) const { return arg_; }
  void PauseTiming() { total_ += Clock::now() - started_; }
  void ResumeTiming() { started_ = Clock::now(); }
  void SetLabel(const std::string& label) { label_ = label; }

  struct Iterator {
    State* state;
    std::int64_t left;
    bool operator!=(const Iterator&) const {
      if (left > 0) return true;
      state->PauseTiming();
      return false;
    }
    void operator++() { --left; }
    // Google Benchmark's loop variable is never read; this one needs no warning suppression either.
    struct Value {
      ~Value() {}
    };
    Value operator*() const { return {}; }
  };
  Iterator begin() {
    ResumeTiming();
    return {this, iterations_};
  }
  Iterator end() { return {this, 0}; }

  double Seconds() const { return std::chrono::duration<double>(total_).count(); }
  std::int64_t iterations() const { return iterations_; }
  const std::string& label() const { return label_; }

 private:
  using Clock = std::chrono::steady_clock;
  std::int64_t arg_;
  std::int64_t iterations_;
  Clock::time_point started_{};
  Clock::duration total_{};
  std::string label_;
};

class Benchmark {
 public:
  Benchmark(std::string name, void (*function)(State&)) : name_(std::move(name)), function_(function) {}
  Benchmark* Arg(std::int64_t arg) { args_.push_back(arg); return this; }
  Benchmark* Unit(TimeUnit unit) { unit_ = unit; return this; }
  Benchmark* Iterations(std::int64_t n) { iterations_ = n; return this; }

  void Run(const std::regex& filter) const {
    for (std::int64_t arg : args_) {
      const std::string name = name_ + "/" + std::to_string(arg);
      if (!std::regex_search(name, filter)) continue;
      State state(arg, iterations_);
      function_(state);
      static const double kScale[] = {1e9, 1e6, 1e3, 1};
      static const char* const kUnit[] = {"ns", "us", "ms", "s"};
      std::printf("%-40s %12.3f %s %8lld iterations %s\n", name.c_str(),
                  state.Seconds() * kScale[unit_] / static_cast<double>(state.iterations()), kUnit[unit_],
                  static_cast<long long>(state.iterations()), state.label().c_str());
      std::fflush(stdout);
    }
  }

  static std::vector<std::unique_ptr<Benchmark>>& All() {
    static std::vector<std::unique_ptr<Benchmark>> all;
    return all;
  }

 private:
  std::string name_;
  void (*function_)(State&);
  std::vector<std::int64_t> args_;
  TimeUnit unit_ = kNanosecond;
  std::int64_t iterations_ = 3;
};

inline Benchmark* Register(const char* name, void (*function)(State&)) {
  Benchmark::All().push_back(std::make_unique<Benchmark>(name, function));
  return Benchmark::All().back().get();
}

inline int RunAll(int argc, char** argv) {
  std::regex filter(".*");
  for (int i = 1; i < argc; ++i) {
    const char* prefix = "--benchmark_filter=";
    if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0) filter = std::regex(argv[i] + std::strlen(prefix));
  }
  for (const auto& benchmark : Benchmark::All()) benchmark->Run(filter);
  return 0;
}

}  // namespace benchmark

#define BENCHMARK_CONCAT_(a, b) a##b
#define BENCHMARK_CONCAT(a, b) BENCHMARK_CONCAT_(a, b)
#define BENCHMARK(function) \
  static ::benchmark::Benchmark* BENCHMARK_CONCAT(benchmark_, __LINE__) = ::benchmark::Register(#function, function)
#define BENCHMARK_MAIN() \
  int main(int argc, char** argv) { return ::benchmark::RunAll(argc, argv); }
