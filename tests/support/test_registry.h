#pragma once
// Registry values for one test, set up the way each build reads them. Windows: the real local-machine
// registry; every key, value and removed key is deleted or restored when the object ends. POSIX: a
// REGEDIT export file in its own temporary directory, named in the stand-in host's variable for the
// object's lifetime.
#include <memory>
#include <string>
#include <string_view>

namespace vorlane::test {

class TestRegistry {
 public:
  TestRegistry();
  ~TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  // A string value of `key` below HKEY_LOCAL_MACHINE; an empty name sets the key's default value.
  void Set(std::u16string_view key, std::u16string_view name, std::u16string_view value);
  // A string value stored without its terminator, as a careless installer may leave one.
  void SetUnterminated(std::u16string_view key, std::u16string_view name, std::u16string_view value);
  // Removes `key` with its values and every key below it, whether set here or found on the machine.
  void RemoveKey(std::u16string_view key);

  // POSIX: the registry file, for a program started with `--registry`. Windows: empty.
  std::u16string File() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vorlane::test
