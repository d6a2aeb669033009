#pragma once
// The ini line grammar of the platform's profile functions, the one place it is written: any run of CR
// and LF ends a line; a line is trimmed of blanks (0x09-0x0D, 0x20, 0x1A) and dropped when empty; a line
// that starts with "[" and holds a "]" is a section header named by the trimmed text up to the last "]";
// any other line is a key, split at the first "=" (name right-trimmed, value left-trimmed).
#include <optional>
#include <string_view>
#include <vector>

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

// Every non-empty line of `text`, in order; the views point into `text`.
std::vector<IniLine> SplitIniLines(std::u16string_view text);

}  // namespace platform
