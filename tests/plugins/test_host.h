#pragma once
// What a player scenario needs from the machine it runs on: registry values under the local machine,
// the environment handed to started programs, and how the fake player records a start.
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "temp_dir.h"

namespace vorlane::test {

// Windows: the real registry, every value and key it set removed or restored at the end. POSIX: a
// registry file in `dir` that the platform layer is pointed at.
class TestRegistry {
 public:
  explicit TestRegistry(const TempDir& dir);
  ~TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  void Set(const std::u16string& key, const std::u16string& name, const std::u16string& value);

 private:
  std::u16string file_;
  std::map<std::pair<std::u16string, std::u16string>, std::u16string> values_;
};

// Sets a variable of this process's environment, which started programs inherit.
void SetEnvironment(const char* name, const std::u16string& value);

// The fake player's record of a start with this command line (Windows: the line itself; POSIX: the
// arguments the line splits into, one per line).
std::string ExpectedStartRecord(const std::u16string& commandLine);

}  // namespace vorlane::test
