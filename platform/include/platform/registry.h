#pragma once
// Reading the local machine's registry. Windows: the real registry (HKEY_LOCAL_MACHINE, opened for
// reading, closed before returning). POSIX: a REGEDIT export file named by the stand-in host (UTF-16LE with
// BOM or UTF-8); keys compared without regard to case; a missing or malformed file is an empty registry.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct RegistryValue {
  bool keyOpened = false;   // false: the key could not be opened (nothing else was done)
  bool valueRead = false;   // false: no such value, or it is longer than the byte limit
  std::u16string text;      // the value without its terminator when valueRead
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Reads value `name` of `key` (a path below HKEY_LOCAL_MACHINE, "\\"-separated); an absent name reads
  // the key's default value. `maxBytes` is the buffer size in bytes, terminator included (520 for a
  // 260-character buffer): a longer value is not read.
  virtual RegistryValue ReadString(std::u16string_view key, std::optional<std::u16string_view> name,
                                   std::size_t maxBytes) = 0;
};

}  // namespace platform
