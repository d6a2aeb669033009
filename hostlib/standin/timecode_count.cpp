#include "timecode_count.h"

namespace hostlib_standin {
namespace {

constexpr std::int64_t kFramesPerDayPal = 24LL * 3600 * 25;
constexpr std::int64_t kFramesPerDayNtsc = 24LL * 3600 * 30;
// Drop-frame drops frame numbers 0 and 1 at each minute except every tenth: 17982 frames per 10 minutes.
constexpr std::int64_t kDropFramesPerTenMinutes = 10 * 60 * 30 - 9 * 2;
constexpr std::int64_t kDropFramesPerMinute = 60 * 30 - 2;
constexpr std::int64_t kFramesPerDayDrop = 144 * kDropFramesPerTenMinutes;

int Rate(TimecodeMode mode) { return mode == TimecodeMode::Pal ? 25 : 30; }

std::int64_t FramesPerDay(TimecodeMode mode) {
  switch (mode) {
    case TimecodeMode::Pal: return kFramesPerDayPal;
    case TimecodeMode::Ntsc: return kFramesPerDayNtsc;
    case TimecodeMode::NtscDropFrame: return kFramesPerDayDrop;
  }
  return kFramesPerDayPal;
}

TimecodeMode ModeOf(char16_t separator) {
  if (separator == u'.') return TimecodeMode::Ntsc;
  if (separator == u',') return TimecodeMode::NtscDropFrame;
  return TimecodeMode::Pal;
}

bool TwoDigits(const char16_t* p, int& value) {
  if (p[0] < u'0' || p[0] > u'9' || p[1] < u'0' || p[1] > u'9') return false;
  value = (p[0] - u'0') * 10 + (p[1] - u'0');
  return true;
}

}  // namespace

TimecodeCount ParseTimecode(const char16_t* text) {
  TimecodeCount result;
  if (text == nullptr) return result;
  std::size_t length = 0;
  while (length < 12 && text[length] != u'\0') ++length;
  if (length >= 9) result.mode = ModeOf(text[8]);
  int h, m, s, f;
  if (length != 11 || text[2] != u':' || text[5] != u':' || (text[8] != u':' && text[8] != u'.' && text[8] != u',') ||
      !TwoDigits(text, h) || !TwoDigits(text + 3, m) || !TwoDigits(text + 6, s) || !TwoDigits(text + 9, f))
    return result;
  const int rate = Rate(result.mode);
  if (h > 23 || m > 59 || s > 59 || f >= rate) return result;
  std::int64_t frames = (h * 3600LL + m * 60LL + s) * rate + f;
  if (result.mode == TimecodeMode::NtscDropFrame) {
    const std::int64_t minutes = h * 60LL + m;
    frames -= 2 * (minutes - minutes / 10);
    // Labels that drop-frame skips (ss=00, ff<2 in a minute not divisible by ten) name no frame; they
    // stand for the next frame that exists.
    if (frames < 0) frames = 0;
  }
  result.fields = static_cast<std::int32_t>(frames * 2);
  return result;
}

TimecodeCount AddFields(TimecodeCount timecode, std::int32_t fields) {
  const std::int64_t day = FramesPerDay(timecode.mode) * 2;
  std::int64_t sum = (static_cast<std::int64_t>(timecode.fields) + fields) % day;
  if (sum < 0) sum += day;
  timecode.fields = static_cast<std::int32_t>(sum);
  return timecode;
}

std::u16string FormatTimecode(TimecodeCount timecode) {
  const std::int64_t day = FramesPerDay(timecode.mode);
  std::int64_t frames = (timecode.fields / 2) % day;
  if (frames < 0) frames += day;
  if (timecode.mode == TimecodeMode::NtscDropFrame) {
    const std::int64_t tens = frames / kDropFramesPerTenMinutes;
    const std::int64_t rest = frames % kDropFramesPerTenMinutes;
    frames += 18 * tens + (rest < 2 ? 0 : 2 * ((rest - 2) / kDropFramesPerMinute));
  }
  const int rate = Rate(timecode.mode);
  const int f = static_cast<int>(frames % rate);
  const std::int64_t seconds = frames / rate;
  const int values[] = {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                        static_cast<int>(seconds % 60), f};
  const char16_t separators[] = {u':', u':',
                                 timecode.mode == TimecodeMode::Pal    ? u':'
                                 : timecode.mode == TimecodeMode::Ntsc ? u'.'
                                                                       : u','};
  std::u16string text;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) text.push_back(separators[i - 1]);
    text.push_back(static_cast<char16_t>(u'0' + values[i] / 10 % 10));
    text.push_back(static_cast<char16_t>(u'0' + values[i] % 10));
  }
  return text;
}

}  // namespace hostlib_standin
