// Windows: the test registry is the real local-machine registry of the test's Wine prefix.
#include <windows.h>

#include <vector>

#include "test_registry.h"

namespace vorlane::test {

struct TestRegistry::State {
  std::vector<std::wstring> created;  // the topmost key each Set created, deleted at the end
};

namespace {

std::wstring W(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

bool KeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// Remembers in `created` the topmost key it had to create.
void SetValue(std::vector<std::wstring>& created, const std::u16string& key, const std::optional<std::u16string>& name,
              const std::u16string& value, bool terminated) {
  const std::wstring path = W(key);
  for (std::size_t end = 0; end != std::wstring::npos;) {
    end = path.find(L'\\', end + 1);
    const std::wstring prefix = path.substr(0, end);
    if (!KeyExists(prefix)) {
      created.push_back(prefix);
      break;
    }
  }
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  const std::wstring data = W(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
  const std::wstring valueName = name ? W(*name) : std::wstring();
  RegSetValueExW(opened, name ? valueName.c_str() : nullptr, 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  RegCloseKey(opened);
}

}  // namespace

TestRegistry::TestRegistry() : state_(std::make_unique<State>()) {}

TestRegistry::~TestRegistry() {
  for (auto it = state_->created.rbegin(); it != state_->created.rend(); ++it) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, it->c_str());
  }
}

void TestRegistry::Set(const std::u16string& key, const std::optional<std::u16string>& name,
                       const std::u16string& value) {
  SetValue(state_->created, key, name, value, true);
}

void TestRegistry::SetUnterminated(const std::u16string& key, const std::optional<std::u16string>& name,
                                   const std::u16string& value) {
  SetValue(state_->created, key, name, value, false);
}

}  // namespace vorlane::test
