#include "contract/export_description.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/text.h"

namespace contract {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// What the C library's wide isspace accepts at the start of a number.
bool IsLeadingBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Length of the decimal floating-point number at the start of `text` (after leading blanks), as the C
// library's string-to-double conversion consumes it; 0 when no number starts there. The digits, without
// the blanks and any "+", go to `number`.
std::size_t ScanDecimal(std::u16string_view text, std::string& number) {
  std::size_t i = 0;
  while (i < text.size() && IsLeadingBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') number += '-';
    ++i;
  }
  std::size_t digits = 0;
  auto takeDigits = [&] {
    while (i < text.size() && IsDigit(text[i])) {
      number += static_cast<char>(text[i++]);
      ++digits;
    }
  };
  takeDigits();
  if (i < text.size() && text[i] == u'.') {
    number += '.';
    ++i;
    takeDigits();
  }
  if (digits == 0) return 0;
  // An exponent counts only when digits follow it.
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) exponent += static_cast<char>(text[j++]);
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent += static_cast<char>(text[j++]);
      number += exponent;
      i = j;
    }
  }
  return i;
}

// Plain integer-from-text: leading blanks, a sign, then digits up to the first other character; 0 when
// there are none. Saturates rather than overflowing.
std::int64_t LeadingInteger(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsLeadingBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  std::int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (value < INT32_MAX) value = value * 10 + (text[i] - u'0');
  }
  if (value > INT32_MAX) value = INT32_MAX;
  return negative ? -value : value;
}

std::u16string Numbered(std::u16string_view prefix, std::int32_t number) {
  std::u16string name(prefix);
  name += platform::FormatInt(number);
  return name;
}

}  // namespace

std::u16string ObjectSectionName(std::u16string_view prefix, std::int32_t number) {
  return Numbered(prefix, number);
}

std::u16string TrackSectionName(std::u16string_view prefix, std::int32_t number, std::int32_t track) {
  return Numbered(Numbered(prefix, number) + u"_T", track);
}

std::u16string TrackObjectPrefix(std::u16string_view prefix, std::int32_t number, std::int32_t track) {
  return TrackSectionName(prefix, number, track) + u"_OBJ";
}

ObjectType ObjectTypeFromWord(std::u16string_view word) {
  if (word == u"SOURCECLIP") return ObjectType::SourceClip;
  if (word == u"SEQUENCE") return ObjectType::Sequence;
  if (word == u"STILL") return ObjectType::Still;
  if (word == u"TITLE") return ObjectType::Title;
  return ObjectType::None;
}

VideoSystem VideoSystemFromWord(std::u16string_view word) {
  if (word == u"PAL") return VideoSystem::Pal;
  if (word == u"NTSC") return VideoSystem::Ntsc;
  if (word == u"NTSCDROP") return VideoSystem::NtscDrop;
  if (word == u"FILM") return VideoSystem::Film;
  return VideoSystem::None;
}

double ParseRate(std::u16string_view text, double defaultValue) {
  if (text.empty()) return defaultValue;
  std::string number;
  const std::size_t consumed = ScanDecimal(text, number);
  if (consumed == text.size()) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
      // As the C library: an exponent too far down is 0, too far up is infinity.
      const bool tooSmall = number.find("e-") != std::string::npos;
      value = tooSmall ? 0.0 : (number[0] == '-' ? -HUGE_VAL : HUGE_VAL);
    }
    return value;
  }
  const std::size_t slash = text.find(u'/');
  if (slash == std::u16string_view::npos) return defaultValue;
  const std::int64_t numerator = LeadingInteger(text.substr(0, slash));
  const std::int64_t denominator = LeadingInteger(text.substr(slash + 1));
  if (denominator == 0) return defaultValue;
  return static_cast<double>(numerator) / static_cast<double>(denominator);
}

std::u16string ReadText(platform::Profile& profile, IniFile file, IniSection section, std::u16string_view key,
                        std::uint32_t limit, std::u16string_view defaultValue) {
  std::u16string value = profile.ReadString(file.path, section.name, key, defaultValue, limit + 1).value;
  if (value.size() > limit) value.resize(limit);
  return value;
}

std::int32_t ReadInteger(platform::Profile& profile, IniFile file, IniSection section, std::u16string_view key,
                         std::int32_t defaultValue) {
  return profile.ReadInt(file.path, section.name, key, defaultValue);
}

ObjectType ReadObjectType(platform::Profile& profile, IniFile file, IniSection section) {
  return ObjectTypeFromWord(ReadText(profile, file, section, u"TYPE", kTypeLimit));
}

VideoSystem ReadVideoSystem(platform::Profile& profile, IniFile file) {
  return VideoSystemFromWord(ReadText(profile, file, kGeneralSection, u"SYSTEM", kShortTextLimit));
}

double ReadRate(platform::Profile& profile, IniFile file, IniSection section, std::u16string_view key,
                double defaultValue) {
  return ParseRate(ReadText(profile, file, section, key, kLongTextLimit), defaultValue);
}

std::optional<std::u16string> ReadPrimaryMediaFile(platform::Profile& profile, IniFile file, IniSection section) {
  for (std::u16string_view key : kMediaKeys) {
    std::u16string path = ReadText(profile, file, section, key, kMediaPathLimit);
    if (!path.empty()) return path;
  }
  return std::nullopt;
}

}  // namespace contract
