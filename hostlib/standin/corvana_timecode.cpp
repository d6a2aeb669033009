// Stand-in Corvana: the timecode value behind the Timecode and TimecodeText wrappers.
#include <algorithm>

#include "hostlib/corvana.h"
#include "timecode_count.h"

using hostlib_standin::TimecodeCount;
using hostlib_standin::TimecodeMode;

namespace {
TimecodeCount Load(const CorvanaTimecode* timecode) {
  return {timecode->fields, static_cast<TimecodeMode>(std::clamp(timecode->mode, 0, 2))};
}
void Store(CorvanaTimecode* timecode, TimecodeCount count) {
  timecode->fields = count.fields;
  timecode->mode = static_cast<std::int32_t>(count.mode);
}
}  // namespace

extern "C" CORVANA_API void CorvanaTimecodeClear(CorvanaTimecode* timecode) {
  if (timecode != nullptr) Store(timecode, TimecodeCount{});
}

extern "C" CORVANA_API void CorvanaTimecodeFromText(CorvanaTimecode* timecode, const char16_t* text) {
  if (timecode != nullptr) Store(timecode, hostlib_standin::ParseTimecode(text));
}

extern "C" CORVANA_API void CorvanaTimecodeAdd(CorvanaTimecode* timecode, std::int32_t fields) {
  if (timecode != nullptr) Store(timecode, hostlib_standin::AddFields(Load(timecode), fields));
}

extern "C" CORVANA_API void CorvanaTimecodeFormat(const CorvanaTimecode* timecode, char16_t* text16) {
  if (text16 == nullptr) return;
  const std::u16string text = timecode != nullptr ? hostlib_standin::FormatTimecode(Load(timecode)) : u"00:00:00:00";
  // "hh:mm:ss?ff" is 11 characters; the destination holds 16.
  const std::size_t length = std::min<std::size_t>(text.size(), 15);
  text.copy(text16, length);
  text16[length] = u'\0';
}
