#pragma once
// The printf-style formatting of HostTrace, over wide text.
#include <cstdarg>
#include <string>

namespace hostlib_standin {

// Formats `format` with `args`: "%s" wide text (null prints "(null)"), "%S" 8-bit text, "%d"/"%i", "%u",
// "%x"/"%X", "%c" (a wide character), "%%"; flags "-", "0", "+", " ", "#", a width and a precision (digits
// or "*"), and the length modifiers "h", "l", "ll". An unknown conversion is copied as it stands.
std::u16string FormatTrace(const char16_t* format, va_list args);

}  // namespace hostlib_standin
