#include "watch_time.h"

#include "contract/module_files.h"
#include "contract/trace_levels.h"
#include "hostlib/corvana.h"
#include "platform/limits.h"
#include "platform/text.h"

namespace watchfolder {
namespace {

constexpr std::u16string_view kHighKey = u"TimeH";
constexpr std::u16string_view kLowKey = u"TimeL";
constexpr std::size_t kHalfDigits = 8;

}  // namespace

std::optional<std::uint32_t> ParseTimeHalf(std::u16string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
  std::uint32_t half = 0;
  std::size_t digits = 0;
  for (; at < text.size() && digits < kHalfDigits && platform::HexDigit(text[at]) >= 0; ++at, ++digits) {
    half = (half << 4) | static_cast<std::uint32_t>(platform::HexDigit(text[at]));
  }
  if (digits == 0) return std::nullopt;
  return half;
}

std::u16string FormatTimeHalf(std::uint32_t half) {
  std::u16string text(kHalfDigits, u'0');
  for (std::size_t i = kHalfDigits; i-- > 0; half >>= 4) text[i] = u"0123456789ABCDEF"[half & 0xF];
  return text;
}

void ReadWatchTime(platform::Profile& profile, std::u16string_view settings, WatchTime& time) {
  auto read = [&](std::u16string_view key, std::uint32_t& half) {
    const std::u16string text = profile
                                    .ReadString(settings, contract::kSettingsSection, key, u"00000000",
                                                static_cast<std::uint32_t>(platform::kWideBufferChars))
                                    .value;
    if (const auto parsed = ParseTimeHalf(text)) half = *parsed;
  };
  read(kHighKey, time.high);
  read(kLowKey, time.low);
}

bool WriteWatchTime(platform::Profile& profile, std::u16string_view settings, const WatchTime& time) {
  // One write for both halves: a run cut short between two writes would keep half of each time.
  const std::u16string section(contract::kSettingsSection);
  return profile.WriteBatch(settings, {{section, std::u16string(kHighKey), FormatTimeHalf(time.high)},
                                       {section, std::u16string(kLowKey), FormatTimeHalf(time.low)}});
}

std::optional<WatchTime> SettingsFileTime(platform::Files& files, std::u16string_view settings) {
  const auto entry = files.Attributes(settings);
  if (!entry) return std::nullopt;
  return WatchTime::Of(entry->lastWriteTime);
}

void TraceWatchTime(const WatchTime& time) {
  HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, u"time Watch : %08X%08X \r\n", time.high, time.low);
}

}  // namespace watchfolder
