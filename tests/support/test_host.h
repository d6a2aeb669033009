#pragma once
// What a plug-in test needs from the machine besides the registry (test_registry.h): the environment
// that started programs inherit, how the fake player records a start, and knowing when every program
// the test started has ended.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "wait_for.h"

namespace vorlane::test {

// Sets a variable of this process's environment, which started programs inherit.
void SetEnvironment(const char* name, const std::u16string& value);

// The fake player's record of a start with this command line (Windows: the line itself; POSIX: the
// arguments the line splits into, one per line).
std::string ExpectedStartRecord(const std::u16string& commandLine);

// The fake player's records in `folder`, sorted (players run concurrently), and taken out of it so
// that the next look sees only later starts.
inline std::vector<std::string> TakeStartRecords(const std::u16string& folder) {
  std::vector<std::string> records;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder))) {
    if (entry.path().extension() != ".start") continue;
    {
      std::ifstream in(entry.path(), std::ios::binary);
      records.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(entry.path());
  }
  std::sort(records.begin(), records.end());
  return records;
}

// The programs started from this process (by a plug-in, or by a program this process ran) after the
// object was made. POSIX: the process becomes their reaper, so that the double start of the platform
// layer hands them back to it. Windows: the processes whose parent is this one.
class StartedPrograms {
 public:
  StartedPrograms();
  ~StartedPrograms();
  StartedPrograms(const StartedPrograms&) = delete;
  StartedPrograms& operator=(const StartedPrograms&) = delete;

  // Whether all of them have ended within `timeout`; returns as soon as they have.
  bool WaitUntilAllEnded(std::chrono::milliseconds timeout = kChildTimeout);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vorlane::test
