#include "contract/export_description_sections.h"

#include <algorithm>
#include <string>

#include "platform/ini_lines.h"
#include "platform/text.h"
#include "platform/text_codec.h"

namespace contract {
namespace {

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
  // Read as the profile functions read it: a UTF-8 mark in front is no part of the first header.
  const std::u16string text = platform::DecodeText(fileBytes).text;
  for (const platform::IniLine& line : platform::SplitIniLines(text)) {
    if (!line.header) continue;
    const std::u16string_view name = line.name;
    if (name.size() <= prefix.size() || !platform::EqualsNoCase(name.substr(0, prefix.size()), prefix)) continue;
    if (const std::int32_t n = FormattedNumber(name.substr(prefix.size()), count); n > 0) numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  return numbers;
}

}  // namespace contract
