#pragma once
// Registry values for one test, set up the way each build reads them: Windows writes them into the
// real local-machine registry (and deletes the keys it created at the end); POSIX writes a REGEDIT
// export file in its own temporary directory and names it in the stand-in host's variable.
#include <memory>
#include <optional>
#include <string>

namespace vorlane::test {

class TestRegistry {
 public:
  TestRegistry();
  ~TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  // A string value of `key` below HKEY_LOCAL_MACHINE; an absent name sets the key's default value.
  void Set(const std::u16string& key, const std::optional<std::u16string>& name, const std::u16string& value);
  // A string value stored without its terminator, as a careless installer may leave one.
  void SetUnterminated(const std::u16string& key, const std::optional<std::u16string>& name,
                       const std::u16string& value);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vorlane::test
