#pragma once
// Timecode counting of the stand-in Corvana: a timecode is a count of fields (two per frame) since
// 00:00:00 in one of three modes, which its text's frame separator names.
#include <cstdint>
#include <string>

namespace hostlib_standin {

enum class TimecodeMode : std::int32_t { Pal = 0, Ntsc = 1, NtscDropFrame = 2 };

struct TimecodeCount {
  std::int32_t fields = 0;
  TimecodeMode mode = TimecodeMode::Pal;
};

// "hh:mm:ss?ff", "?" being ":" (PAL), "." (NTSC) or "," (NTSC drop-frame). Text of another shape, or
// with numbers out of range for the mode, reads as 00:00:00 in the mode its separator names (PAL when none).
TimecodeCount ParseTimecode(const char16_t* text);

// Adds `fields`, wrapping around 24 hours in either direction.
TimecodeCount AddFields(TimecodeCount timecode, std::int32_t fields);

// The text form, with the mode's separator; an odd field count shows its frame.
std::u16string FormatTimecode(TimecodeCount timecode);

}  // namespace hostlib_standin
