// Windows: a module's string table is its STRINGTABLE resource.
#include "platform/string_resources.h"

#include <windows.h>

namespace platform {

std::optional<std::u16string> LoadModuleString(void* module, std::uint32_t id) {
  if (module == nullptr) return std::nullopt;
  // A zero buffer size makes LoadStringW hand out a pointer into the resource itself, so a string of
  // any length comes back whole.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(static_cast<HMODULE>(module), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return std::nullopt;
  return std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length));
}

}  // namespace platform
