#include "contract/export_description_sections.h"

#include <algorithm>
#include <array>
#include <optional>

#include "contract/export_description.h"
#include "platform/ini_lines.h"
#include "platform/text.h"
#include "platform/text_codec.h"

namespace contract {
namespace {

// The number that "%d" would have formatted into `digits`: no sign, no leading zero, 1..2147483647.
std::int32_t FormattedNumber(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 10 || digits[0] == u'0') return 0;
  std::int64_t value = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return 0;
    value = value * 10 + (c - u'0');
  }
  return value <= INT32_MAX ? static_cast<std::int32_t>(value) : 0;
}

std::int32_t ObjectNumber(std::u16string_view name) {
  const std::size_t prefix = kObjectPrefix.size();
  if (name.size() <= prefix || !platform::EqualsNoCase(name.substr(0, prefix), kObjectPrefix)) return 0;
  return FormattedNumber(name.substr(prefix));
}

// An object section's media keys, each by its first line, as a lookup of the key finds it.
class MediaLines {
 public:
  void Take(const platform::IniLine& line) {
    for (std::size_t k = 0; k < kMediaKeys.size(); ++k) {
      if (seen_[k] || !platform::EqualsNoCase(line.name, kMediaKeys[k])) continue;
      seen_[k] = true;
      values_[k] = line.value;
    }
  }
  // The first key whose read stores a character; a key without "=" reads as its empty default.
  std::optional<std::u16string> Primary(std::uint32_t size) const {
    for (const std::optional<std::u16string_view>& value : values_) {
      if (!value) continue;
      platform::ProfileString read = platform::IniValueAsRead(*value, size);
      if (!read.value.empty()) return std::move(read.value);
    }
    return std::nullopt;
  }

 private:
  std::array<bool, kMediaKeys.size()> seen_{};
  std::array<std::optional<std::u16string_view>, kMediaKeys.size()> values_{};
};

}  // namespace

PlayerObjects ReadPlayerObjects(std::string_view fileBytes, std::uint32_t mediaSize) {
  const std::u16string text = platform::DecodeText(fileBytes).text;
  // Every numbered section in file order, with its entry in `media` or -1; the first of a number counts.
  struct Numbered {
    std::int32_t number;
    std::int32_t media;
  };
  std::vector<Numbered> numbered;
  std::vector<std::u16string> media;
  std::optional<MediaLines> object;
  bool generalSeen = false, inGeneral = false;
  std::optional<std::optional<std::u16string_view>> countLine;
  const auto endObject = [&] {
    if (!object) return;
    if (std::optional<std::u16string> primary = object->Primary(mediaSize)) {
      numbered.back().media = static_cast<std::int32_t>(media.size());
      media.push_back(std::move(*primary));
    }
    object.reset();
  };
  platform::ForEachIniLine(text, [&](const platform::IniLine& line) {
    if (line.header) {
      endObject();
      inGeneral = !generalSeen && platform::EqualsNoCase(line.name, kGeneralSection.name);
      generalSeen = generalSeen || inGeneral;
      if (const std::int32_t n = ObjectNumber(line.name); n > 0) {
        numbered.push_back({n, -1});
        object.emplace();
      }
    } else if (object) {
      object->Take(line);
    } else if (inGeneral && !countLine && platform::EqualsNoCase(line.name, u"OBJCOUNT")) {
      countLine = line.value;
    }
  });
  endObject();

  PlayerObjects out;
  if (countLine && *countLine) out.count = platform::IniIntegerAsRead(**countLine, 0);
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const Numbered& a, const Numbered& b) { return a.number < b.number; });
  for (std::size_t i = 0; i < numbered.size() && numbered[i].number <= out.count; ++i) {
    if (i > 0 && numbered[i].number == numbered[i - 1].number) continue;
    if (numbered[i].media >= 0)
      out.objects.push_back({numbered[i].number, std::move(media[static_cast<std::size_t>(numbered[i].media)])});
  }
  return out;
}

}  // namespace contract
