#pragma once
// Windows: UTF-16 text as the wide API sees it. wchar_t is 16 bits here, so the text is only reinterpreted.
#include <string>
#include <string_view>

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide API takes UTF-16");

inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string FromWide(const wchar_t* text) {
  return FromWide(text, std::char_traits<wchar_t>::length(text));
}

}  // namespace platform
