// The ini line grammar, shared by both builds and by every reader of ini text.
#include "platform/ini_lines.h"

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
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != u'\n' && text[pos] != u'\r') ++pos;
    const std::u16string_view line = TrimIniBlanks(text.substr(start, pos - start));
    while (pos < text.size() && (text[pos] == u'\n' || text[pos] == u'\r')) ++pos;
    if (!line.empty()) lines.push_back(ParseIniLine(line));
  }
  return lines;
}

}  // namespace platform
