#pragma once
// The 8-bit text the host hands to a send plug-in's Execute, taken into wide text.
#include <optional>
#include <string>

namespace contract {

// The description path: at most 259 bytes before its terminator, converted by the C library's
// multibyte-to-wide rule. Nothing for a null or unreadable pointer or a text whose terminator is not
// within the first 260 bytes (such a path would be used unterminated); no byte past the 260th is read.
std::optional<std::u16string> DescriptionPathFromHost(const char* text);

}  // namespace contract

namespace contract {

// A host string resource handed out as a receive plug-in's menu name or comment: taken into a wide
// buffer of 260 characters (so at most 259 survive), then converted to 8-bit text into `buffer` of
// `size` bytes, terminated only when the terminator fits. A null text or buffer, or a size of 0 or
// below, writes nothing.
void HostStringToBuffer(const char16_t* text, char* buffer, int size);

}  // namespace contract
