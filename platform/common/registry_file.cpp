#include "registry_file.h"

#include <vector>

#include "platform/text.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2 + 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  bytes.append(2, '\0');
  return bytes;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// A quoted text with "\\" and "\"" escapes, from the opening quote on; nothing without the closing quote.
std::optional<std::u16string> ReadQuoted(std::u16string_view& text) {
  if (text.empty() || text.front() != u'"') return std::nullopt;
  std::u16string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == u'"') {
      text.remove_prefix(i + 1);
      return out;
    }
    if (text[i] == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"')) ++i;
    out += text[i];
  }
  return std::nullopt;
}

// "hex:00,41" or "hex(2):41,00"; the prefix is already gone. Blanks and continuation marks are skipped.
std::optional<std::string> ReadHexList(std::u16string_view text) {
  std::string bytes;
  int high = -1;
  for (char16_t c : text) {
    if (c == u',' || c == u' ' || c == u'\t' || c == u'\\') {
      if (high >= 0) return std::nullopt;  // a single digit
      continue;
    }
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    if (high < 0) {
      high = digit;
    } else {
      bytes += static_cast<char>(high * 16 + digit);
      high = -1;
    }
  }
  if (high >= 0) return std::nullopt;
  return bytes;
}

std::optional<std::string> ReadDword(std::u16string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char16_t c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// The key below HKEY_LOCAL_MACHINE of a "[...]" line's inside; nothing for other roots.
std::optional<std::u16string_view> LocalMachinePath(std::u16string_view inside) {
  for (std::u16string_view root : {std::u16string_view(u"HKEY_LOCAL_MACHINE"), std::u16string_view(u"HKLM")}) {
    if (inside.size() < root.size() || !EqualsNoCase(inside.substr(0, root.size()), root)) continue;
    std::u16string_view rest = inside.substr(root.size());
    if (rest.empty()) return rest;
    if (rest.front() == u'\\') return rest.substr(1);
  }
  return std::nullopt;
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find(u'\n');
    lines.push_back(text.substr(0, end));
    if (end == std::u16string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::u16string RegistryQuoted(std::u16string_view text) {
  std::u16string out = u"\"";
  for (char16_t c : text) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  return out + u"\"";
}

std::u16string RegistryNameText(std::u16string_view name) { return name.empty() ? u"@" : RegistryQuoted(name); }

RegistryFile RegistryFile::Parse(std::string_view fileBytes) {
  RegistryFile registry;
  const std::u16string text = DecodeText(fileBytes).text;
  const std::vector<std::u16string_view> lines = SplitLines(text);
  if (lines.empty()) return registry;
  const std::u16string_view header = TrimBlanks(lines[0]);
  if (header != u"Windows Registry Editor Version 5.00" && header != u"REGEDIT4") return registry;

  std::optional<std::u16string> key;
  for (std::size_t n = 1; n < lines.size(); ++n) {
    std::u16string_view line = TrimBlanks(lines[n]);
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[') {
      key.reset();
      if (line.back() != u']') continue;
      if (auto path = LocalMachinePath(line.substr(1, line.size() - 2))) {
        key = std::u16string(*path);
        registry.AddKey(*key);
      }
      continue;
    }
    if (!key) continue;

    std::optional<std::u16string> name;
    if (line.front() == u'@') {
      line.remove_prefix(1);
    } else {
      name = ReadQuoted(line);
      if (!name) continue;
    }
    line = TrimBlanks(line);
    if (line.empty() || line.front() != u'=') continue;
    line = TrimBlanks(line.substr(1));
    if (line.empty()) continue;
    const std::optional<std::u16string_view> nameView =
        name ? std::optional<std::u16string_view>(*name) : std::nullopt;

    if (line.front() == u'"') {
      std::u16string_view rest = line;
      if (auto value = ReadQuoted(rest); value && TrimBlanks(rest).empty()) {
        registry.SetString(*key, nameView, *value);
      }
    } else if (line.starts_with(u"dword:")) {
      if (auto bytes = ReadDword(line.substr(6))) registry.SetBytes(*key, nameView, std::move(*bytes));
    } else if (line.starts_with(u"hex")) {
      // Long binary values continue on the next lines after a trailing backslash.
      std::u16string joined(line);
      while (!joined.empty() && joined.back() == u'\\' && n + 1 < lines.size()) {
        joined += TrimBlanks(lines[++n]);
      }
      const std::size_t colon = joined.find(u':');
      if (colon == std::u16string::npos) continue;
      if (auto bytes = ReadHexList(std::u16string_view(joined).substr(colon + 1))) {
        registry.SetBytes(*key, nameView, std::move(*bytes));
      }
    } else if (line == u"-") {
      registry.keys_[FoldKey(*key)].erase(name ? FoldedText(*name) : std::u16string());
    }
  }
  return registry;
}

std::u16string RegistryFile::FoldKey(std::u16string_view key) {
  while (!key.empty() && key.front() == u'\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == u'\\') key.remove_suffix(1);
  return FoldedText(key);
}

void RegistryFile::AddKey(std::u16string_view key) { keys_[FoldKey(key)]; }

void RegistryFile::SetString(std::u16string_view key, std::optional<std::u16string_view> name,
                             std::u16string_view text) {
  SetBytes(key, name, Utf16LeBytes(text));
}

void RegistryFile::SetBytes(std::u16string_view key, std::optional<std::u16string_view> name, std::string bytes) {
  keys_[FoldKey(key)][name ? FoldedText(*name) : std::u16string()] = std::move(bytes);
}

bool RegistryFile::KeyExists(const std::u16string& folded) const {
  if (folded.empty() || keys_.count(folded) != 0) return true;
  // Keys above a listed one exist too; the keys below `folded` sort together right after this prefix.
  const std::u16string prefix = folded + u'\\';
  const auto below = keys_.lower_bound(prefix);
  return below != keys_.end() && below->first.starts_with(prefix);
}

RegistryValue RegistryFile::Read(std::u16string_view key, std::optional<std::u16string_view> name,
                                 std::size_t maxBytes) const {
  RegistryValue result;
  const std::u16string folded = FoldKey(key);
  if (!KeyExists(folded)) return result;
  result.keyOpened = true;
  const auto values = keys_.find(folded);
  if (values == keys_.end()) return result;
  const auto value = values->second.find(name ? FoldedText(*name) : std::u16string());
  if (value == values->second.end() || value->second.size() > maxBytes) return result;
  const std::string& bytes = value->second;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (c == 0) break;
    result.text += c;
  }
  result.valueRead = true;
  return result;
}

}  // namespace platform
