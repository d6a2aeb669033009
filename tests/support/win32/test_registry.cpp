// Windows: the test registry is the real local-machine registry of the test's Wine prefix.
#include <windows.h>

#include <vector>

#include "test_registry.h"

namespace vorlane::test {
namespace {

constexpr wchar_t kSavedKeys[] = L"SOFTWARE\\Vorlane Test Saved Keys";

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The default value goes by no name at all.
const wchar_t* ValueName(const std::wstring& name) { return name.empty() ? nullptr : name.c_str(); }

bool KeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// The outermost key on the way to `key` that does not exist, or empty text.
std::wstring FirstMissingKey(const std::wstring& key) {
  for (std::size_t at = key.find(L'\\');; at = key.find(L'\\', at + 1)) {
    const std::wstring prefix = key.substr(0, at);
    if (!KeyExists(prefix)) return prefix;
    if (at == std::wstring::npos) return {};
  }
}

void DeleteTree(const std::wstring& key) {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, key.c_str());
}

// Copies `from` with its values and keys below it to `to`, which is created.
bool CopyTree(const std::wstring& from, const std::wstring& to) {
  HKEY source = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) return false;
  HKEY target = nullptr;
  bool copied = false;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
      ERROR_SUCCESS) {
    copied = RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
    RegCloseKey(target);
  }
  RegCloseKey(source);
  return copied;
}

// One step to take back at the end, in the reverse order of the steps.
struct Undo {
  enum Kind { kDeleteKey, kRestoreValue, kRestoreKey } kind = kDeleteKey;
  std::wstring key;
  std::wstring name;  // kRestoreValue
  bool hadValue = false;
  DWORD type = 0;
  std::vector<BYTE> bytes;
  std::wstring saved;  // kRestoreKey: the copy kept below kSavedKeys
};

}  // namespace

struct TestRegistry::State {
  std::vector<Undo> undo;
  int savedKeys = 0;
};

TestRegistry::TestRegistry() : state_(std::make_unique<State>()) {}

TestRegistry::~TestRegistry() {
  for (auto it = state_->undo.rbegin(); it != state_->undo.rend(); ++it) {
    switch (it->kind) {
      case Undo::kDeleteKey:
        DeleteTree(it->key);
        break;
      case Undo::kRestoreKey:
        DeleteTree(it->key);
        CopyTree(it->saved, it->key);
        DeleteTree(it->saved);
        break;
      case Undo::kRestoreValue: {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, it->key.c_str(), 0, KEY_WRITE, &opened) != ERROR_SUCCESS) break;
        if (it->hadValue) {
          RegSetValueExW(opened, ValueName(it->name), 0, it->type, it->bytes.data(),
                         static_cast<DWORD>(it->bytes.size()));
        } else {
          RegDeleteValueW(opened, ValueName(it->name));
        }
        RegCloseKey(opened);
        break;
      }
    }
  }
  if (state_->savedKeys > 0) RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSavedKeys);
}

namespace {

void SetValue(std::vector<Undo>& undo, std::u16string_view key, std::u16string_view name, std::u16string_view value,
              bool terminated) {
  const std::wstring path = Wide(key);
  Undo step;
  step.key = path;
  step.name = Wide(name);
  const std::wstring missing = FirstMissingKey(path);
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  if (!missing.empty()) {
    step.key = missing;
  } else {
    step.kind = Undo::kRestoreValue;
    DWORD size = 0;
    if (RegQueryValueExW(opened, ValueName(step.name), nullptr, &step.type, nullptr, &size) == ERROR_SUCCESS) {
      step.bytes.resize(size);
      step.hadValue = RegQueryValueExW(opened, ValueName(step.name), nullptr, &step.type, step.bytes.data(), &size) ==
                      ERROR_SUCCESS;
      step.bytes.resize(size);
    }
  }
  const std::wstring data = Wide(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
  RegSetValueExW(opened, ValueName(step.name), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  RegCloseKey(opened);
  undo.push_back(std::move(step));
}

}  // namespace

void TestRegistry::Set(std::u16string_view key, std::u16string_view name, std::u16string_view value) {
  SetValue(state_->undo, key, name, value, true);
}

void TestRegistry::SetUnterminated(std::u16string_view key, std::u16string_view name, std::u16string_view value) {
  SetValue(state_->undo, key, name, value, false);
}

void TestRegistry::RemoveKey(std::u16string_view key) {
  const std::wstring path = Wide(key);
  if (!KeyExists(path)) return;
  Undo step;
  step.kind = Undo::kRestoreKey;
  step.key = path;
  static int copies = 0;  // one name per copy, also while two registries of a test are alive
  step.saved =
      std::wstring(kSavedKeys) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++copies);
  ++state_->savedKeys;
  if (!CopyTree(path, step.saved)) return;
  DeleteTree(path);
  state_->undo.push_back(std::move(step));
}

std::u16string TestRegistry::File() const { return {}; }

}  // namespace vorlane::test
