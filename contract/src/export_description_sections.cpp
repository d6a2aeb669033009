#include "contract/export_description_sections.h"

#include <algorithm>
#include <string>

#include "platform/text.h"

namespace contract {
namespace {

// The file's characters as the ini reader decodes them. Only ASCII section names matter here, so text
// without a UTF-16 byte-order mark is taken byte by byte (UTF-8 and ANSI agree on ASCII).
std::u16string DecodeForSections(std::string_view bytes) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::u16string text;
  const bool littleEndian = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
  const bool bigEndian = bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
  if (littleEndian || bigEndian) {
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text += littleEndian ? static_cast<char16_t>(byte(i) | byte(i + 1) << 8)
                           : static_cast<char16_t>(byte(i) << 8 | byte(i + 1));
    }
    return text;
  }
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) text += static_cast<char16_t>(byte(i));
  return text;
}

bool IsIniBlank(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The number that "%d" would have formatted into `digits`: no sign, no leading zero, within 1..count.
std::int32_t FormattedNumber(std::u16string_view digits, std::int32_t count) {
  if (digits.empty() || digits.size() > 10 || digits[0] == u'0') return 0;
  std::int64_t value = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return 0;
    value = value * 10 + (c - u'0');
  }
  return value <= count ? static_cast<std::int32_t>(value) : 0;
}

}  // namespace

std::vector<std::int32_t> ObjectSectionNumbers(std::string_view fileBytes, std::u16string_view prefix,
                                               std::int32_t count) {
  std::vector<std::int32_t> numbers;
  if (count < 1) return numbers;
  const std::u16string text = DecodeForSections(fileBytes);
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", at);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string_view line = Trim(std::u16string_view(text).substr(at, end - at));
    at = end + 1;
    // A section line starts with "[" and its name runs to the last "]".
    if (line.empty() || line.front() != u'[') continue;
    const std::size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos) continue;
    const std::u16string_view name = Trim(line.substr(1, close - 1));
    if (name.size() <= prefix.size() || !platform::EqualsNoCase(name.substr(0, prefix.size()), prefix)) continue;
    if (const std::int32_t n = FormattedNumber(name.substr(prefix.size()), count); n > 0) numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

}  // namespace contract
