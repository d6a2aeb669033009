#pragma once
// The local machine's registry as a REGEDIT export file holds it, for the POSIX registry and the fake.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace platform {

// A text as an export writes it between quotes, with "\\" and "\"" escapes, quotes included.
std::u16string RegistryQuoted(std::u16string_view text);
// A value's name as an export writes it before "=": "@" for the default value, else quoted.
std::u16string RegistryNameText(std::u16string_view name);

class RegistryFile {
 public:
  // Reads a "Windows Registry Editor Version 5.00" or "REGEDIT4" export, UTF-16LE with its BOM or UTF-8.
  // Only keys under HKEY_LOCAL_MACHINE are kept. A file with any other first line is an empty registry;
  // a line that cannot be read is skipped. Never fails.
  static RegistryFile Parse(std::string_view fileBytes);

  // The key and every key above it exist from here on. `key` is below HKEY_LOCAL_MACHINE.
  void AddKey(std::u16string_view key);
  // Stores a string value as the registry holds one: UTF-16LE with its terminator. Absent name: default.
  void SetString(std::u16string_view key, std::optional<std::u16string_view> name, std::u16string_view text);
  // Stores raw value bytes of any type.
  void SetBytes(std::u16string_view key, std::optional<std::u16string_view> name, std::string bytes);

  // Reads as RegQueryValueEx into a buffer of `maxBytes`: a value larger than that is not read; the text
  // ends at the first terminator the value holds. Keys and value names match without regard to case.
  RegistryValue Read(std::u16string_view key, std::optional<std::u16string_view> name, std::size_t maxBytes) const;

 private:
  using Values = std::map<std::u16string, std::string>;  // folded value name ("" = default) -> bytes
  static std::u16string FoldKey(std::u16string_view key);
  bool KeyExists(const std::u16string& foldedKey) const;

  std::map<std::u16string, Values> keys_;  // folded key path -> values
};

}  // namespace platform
