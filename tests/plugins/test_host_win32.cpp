// Windows: the real registry under HKEY_LOCAL_MACHINE; a started program records its raw command line.
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "platform/text.h"
#include "test_host.h"

namespace vorlane::test {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

bool KeyExists(const std::u16string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// The outermost key of `key` that does not exist yet, or empty text.
std::u16string FirstMissingKey(const std::u16string& key) {
  for (std::size_t at = key.find(u'\\'); ; at = key.find(u'\\', at + 1)) {
    const std::u16string prefix = key.substr(0, at);
    if (!KeyExists(prefix)) return prefix;
    if (at == std::u16string::npos) return {};
  }
}

struct Undo {
  std::u16string createdKey;  // delete the whole tree
  std::u16string key, name;   // else restore or delete this value
  bool hadValue = false;
  std::u16string oldValue;
};

std::vector<Undo>& UndoList() {
  static std::vector<Undo> list;
  return list;
}

}  // namespace

TestRegistry::TestRegistry(const TempDir&) {}

TestRegistry::~TestRegistry() {
  auto& list = UndoList();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (!it->createdKey.empty()) {
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, Wide(it->createdKey));
      RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(it->createdKey));
      continue;
    }
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(it->key), 0, KEY_WRITE, &handle) != ERROR_SUCCESS) continue;
    if (it->hadValue) {
      RegSetValueExW(handle, Wide(it->name), 0, REG_SZ, reinterpret_cast<const BYTE*>(it->oldValue.c_str()),
                     static_cast<DWORD>((it->oldValue.size() + 1) * 2));
    } else {
      RegDeleteValueW(handle, Wide(it->name));
    }
    RegCloseKey(handle);
  }
  list.clear();
}

void TestRegistry::Set(const std::u16string& key, const std::u16string& name, const std::u16string& value) {
  Undo undo;
  undo.createdKey = FirstMissingKey(key);
  undo.key = key;
  undo.name = name;
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, Wide(key), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  wchar_t old[1024];
  DWORD size = sizeof old;
  DWORD type = 0;
  if (RegQueryValueExW(handle, Wide(name), nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    undo.hadValue = true;
    undo.oldValue.assign(reinterpret_cast<const char16_t*>(old), size / 2);
    while (!undo.oldValue.empty() && undo.oldValue.back() == u'\0') undo.oldValue.pop_back();
  }
  RegSetValueExW(handle, Wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * 2));
  RegCloseKey(handle);
  UndoList().push_back(std::move(undo));
}

void SetEnvironment(const char* name, const std::u16string& value) {
  SetEnvironmentVariableW(Wide(platform::Widen(name)), Wide(value));
  _wputenv_s(Wide(platform::Widen(name)), Wide(value));
}

std::string ExpectedStartRecord(const std::u16string& commandLine) { return platform::Utf16ToUtf8(commandLine); }

}  // namespace vorlane::test
