#pragma once
// The ini line grammar of the platform's profile functions, the one place it is written: any run of CR
// and LF ends a line; a line is trimmed of blanks (0x09-0x0D, 0x20, 0x1A) and dropped when empty; a line
// that starts with "[" and holds a "]" is a section header named by the trimmed text up to the last "]";
// any other line is a key, split at the first "=" (name right-trimmed, value left-trimmed).
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace platform {

struct IniLine {
  bool header = false;
  std::u16string_view name;                  // section name of a header, or key name
  std::optional<std::u16string_view> value;  // absent for a key line without "=" and for headers
};

bool IsIniBlank(char16_t c);
std::u16string_view TrimIniBlanks(std::u16string_view text);
std::u16string_view TrimIniBlanksLeft(std::u16string_view text);
std::u16string_view TrimIniBlanksRight(std::u16string_view text);

// One trimmed, non-empty line.
IniLine ParseIniLine(std::u16string_view trimmedLine);

// Calls `visit` with every non-empty line of `text`, in order; the views point into `text`. Holds no list
// of lines, so that a file of millions of them costs nothing beyond its text.
template <typename Visit>
void ForEachIniLine(std::u16string_view text, Visit&& visit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != u'\n' && text[pos] != u'\r') ++pos;
    const std::u16string_view line = TrimIniBlanks(text.substr(start, pos - start));
    while (pos < text.size() && (text[pos] == u'\n' || text[pos] == u'\r')) ++pos;
    if (!line.empty()) visit(ParseIniLine(line));
  }
}

// Every non-empty line of `text`, in order; the views point into `text`.
std::vector<IniLine> SplitIniLines(std::u16string_view text);

// What the string read gives of a key line's value into a buffer of `size` characters: with `unquote`, a
// value between two like quotes loses them; then it is cut to size - 1 characters.
ProfileString IniValueAsRead(std::u16string_view value, std::uint32_t size, bool unquote = true);
// The integer read's parse of the text the string read gave: blanks skipped, a sign, 0x/0o/0b, digits.
std::int32_t IniIntegerFromText(std::u16string_view text);
// What the integer read gives of a key line's value: `defaultValue` when the string read of it is empty.
std::int32_t IniIntegerAsRead(std::u16string_view value, std::int32_t defaultValue);

}  // namespace platform
