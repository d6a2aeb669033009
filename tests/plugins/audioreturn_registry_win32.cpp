// Windows: WaveLab's App Paths keys in the real registry.
#include <windows.h>

#include "audioreturn_registry.h"

namespace vorlane::test {
namespace {
const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const wchar_t* const kWaveLabKeys[] = {L"WaveLab.exe", L"WaveLab Essential.exe", L"WaveLab Lite.exe"};

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
}  // namespace

void SetWaveLabAppPaths(const std::vector<std::pair<std::u16string, std::u16string>>& keys, const TempDir&) {
  for (const wchar_t* key : kWaveLabKeys) RegDeleteKeyW(HKEY_LOCAL_MACHINE, (kAppPaths + key).c_str());
  for (const auto& [key, value] : keys) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kAppPaths + Wide(key)).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
      continue;
    }
    const std::wstring data = Wide(value);
    RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
}

bool SetReadOnly(const std::u16string& path, bool readOnly) {
  if (!SetFileAttributesW(Wide(path).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL)) return false;
  // Wine run by an administrator keeps the attribute but still lets the file be written.
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  CloseHandle(file);
  return false;
}

}  // namespace vorlane::test
