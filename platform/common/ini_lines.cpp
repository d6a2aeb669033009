// The ini line grammar, shared by both builds and by every reader of ini text.
#include "platform/ini_lines.h"

#include <algorithm>

namespace platform {

bool IsIniBlank(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

std::u16string_view TrimIniBlanksLeft(std::u16string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::u16string_view TrimIniBlanksRight(std::u16string_view text) {
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string_view TrimIniBlanks(std::u16string_view text) { return TrimIniBlanksRight(TrimIniBlanksLeft(text)); }

IniLine ParseIniLine(std::u16string_view line) {
  IniLine out;
  if (!line.empty() && line.front() == u'[') {
    const std::size_t close = line.rfind(u']');
    if (close != std::u16string_view::npos) {
      out.header = true;
      out.name = TrimIniBlanks(line.substr(1, close - 1));
      return out;
    }
  }
  const std::size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos) {
    out.name = line;
  } else {
    out.name = TrimIniBlanksRight(line.substr(0, eq));
    out.value = TrimIniBlanksLeft(line.substr(eq + 1));
  }
  return out;
}

std::vector<IniLine> SplitIniLines(std::u16string_view text) {
  std::vector<IniLine> lines;
  ForEachIniLine(text, [&lines](const IniLine& line) { lines.push_back(line); });
  return lines;
}

// The quote handling and buffer cut of the string read. A value that starts and ends with the same
// quote loses both; the reader then also loses one more character when the buffer holds the
// unquoted text exactly (kept, the file's readers see it that way).
ProfileString IniValueAsRead(std::u16string_view value, std::uint32_t size, bool unquote) {
  ProfileString out;
  if (size == 0) return out;
  bool quoted = false;
  if (unquote && value.size() >= 2 && (value[0] == u'\'' || value[0] == u'"') && value.back() == value[0]) {
    quoted = true;
    value.remove_prefix(1);
  }
  out.value = std::u16string(value.substr(0, std::min<std::size_t>(size - 1, value.size())));
  // Never cut below empty: the platform would write before the buffer there.
  if (quoted && size >= value.size() && !out.value.empty()) out.value.pop_back();
  out.count = static_cast<std::uint32_t>(out.value.size());
  return out;
}

namespace {

// The integer parse of the string read's text: blanks and controls skipped, a sign, lower-case
// 0x/0o/0b prefixes, digits up to the first other character, wrapping modulo 2^32.
std::uint32_t ParseProfileInt(std::u16string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  bool minus = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) minus = s[i++] == u'-';
  unsigned base = 10;
  if (i + 1 < s.size() && s[i] == u'0') {
    if (s[i + 1] == u'b') base = 2;
    if (s[i + 1] == u'o') base = 8;
    if (s[i + 1] == u'x') base = 16;
    if (base != 10) i += 2;
  }
  std::uint32_t total = 0;
  for (; i < s.size(); ++i) {
    const char16_t c = s[i];
    unsigned digit = 99;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    if (c >= u'A' && c <= u'Z') digit = c - u'A' + 10;
    if (c >= u'a' && c <= u'z') digit = c - u'a' + 10;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return minus ? 0u - total : total;
}

}  // namespace

std::int32_t IniIntegerFromText(std::u16string_view text) { return static_cast<std::int32_t>(ParseProfileInt(text)); }

std::int32_t IniIntegerAsRead(std::u16string_view value, std::int32_t defaultValue) {
  // The integer read reads the value as text into a buffer of 30 characters first.
  const ProfileString text = IniValueAsRead(value, 30);
  if (text.count == 0) return defaultValue;
  return IniIntegerFromText(text.value);
}

}  // namespace platform
