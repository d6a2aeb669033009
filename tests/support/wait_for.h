#pragma once
// Waiting for what another program does at its own pace: asked again after a short pause until it is
// there or the deadline passes, so that a test takes as long as the program and no longer.
#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace vorlane::test {

// Far beyond what a started program needs on a loaded machine; reached only when the program fails.
inline constexpr std::chrono::milliseconds kChildTimeout{30000};

// Calls `look` until its answer is true (a truth value, a handle, an optional) or `timeout` has passed,
// and returns the last answer.
template <class Look>
auto WaitFor(Look look, std::chrono::milliseconds timeout = kChildTimeout) -> decltype(look()) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto answer = look();
  while (!answer && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    answer = look();
  }
  return answer;
}

// Whether every one of `paths` exists within `timeout`.
inline bool WaitForFiles(const std::vector<std::u16string>& paths, std::chrono::milliseconds timeout = kChildTimeout) {
  return WaitFor(
      [&] {
        for (const std::u16string& path : paths) {
          std::error_code error;
          if (!std::filesystem::exists(std::filesystem::path(path), error)) return false;
        }
        return true;
      },
      timeout);
}

}  // namespace vorlane::test
