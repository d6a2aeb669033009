// Windows: the local machine's registry, each key opened for reading and closed before returning.
#include <windows.h>

#include <vector>

#include "real_parts.h"
#include "wide.h"

namespace platform {
namespace {

class Win32Registry final : public Registry {
 public:
  RegistryValue ReadString(std::u16string_view key, std::optional<std::u16string_view> name,
                           std::size_t maxBytes) override {
    RegistryValue result;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(std::u16string(key)), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
      return result;
    }
    result.keyOpened = true;
    // One spare zero unit past the caller's limit, so that a stored value without its terminator still ends.
    const std::size_t limit = std::min<std::size_t>(maxBytes, MAXDWORD - sizeof(wchar_t));
    std::vector<wchar_t> buffer(limit / sizeof(wchar_t) + 2, L'\0');
    DWORD size = static_cast<DWORD>(limit);
    const std::u16string valueName = name ? std::u16string(*name) : std::u16string();
    const LONG status = RegQueryValueExW(opened, name ? Wide(valueName) : nullptr, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(opened);
    // ERROR_MORE_DATA: longer than the caller's buffer, so not read at all.
    if (status != ERROR_SUCCESS) return result;
    const std::size_t units = std::min<std::size_t>(size / sizeof(wchar_t), buffer.size() - 1);
    buffer[units] = L'\0';
    result.text = FromWide(buffer.data());
    result.valueRead = true;
    return result;
  }
};

}  // namespace

Registry& RealRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace platform
