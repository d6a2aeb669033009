#pragma once
// Text conversions. Inside, all text is UTF-16 (char16_t); these are the only places it changes form.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// 8-bit text handed in by the host to wide text, as the C library's multibyte-to-wide conversion does it
// in the current locale: at most `maxChars` characters are converted (the rest is dropped), stopping at the
// first zero byte. In the "C" locale every byte becomes the code unit of the same value. Never fails: a byte
// the locale cannot convert ends the text there.
std::u16string MultiByteToWide(const char* text, std::size_t maxChars);

// Wide text to 8-bit text of the current locale into a host buffer of `size` bytes: at most `size` bytes
// are written, the terminator only when it fits. A size of 0 or below writes nothing. Returns the bytes
// written, terminator included when written.
int WideToMultiByte(std::u16string_view text, char* buffer, int size);

// Bounded copy of `size` bytes: the text's bytes, then zero bytes up to `size`; text of `size` or more
// bytes is cut there with no terminator. A size of 0 or below writes nothing.
void BoundedCopy(std::string_view text, char* buffer, int size);

// UTF-8 <-> UTF-16 for the POSIX boundary. Bytes that are not valid UTF-8 map to U+DC80..U+DCFF and back,
// so that a file's unknown bytes survive a rewrite.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Latin-1 view of ASCII literals and of single-byte text, for formatting.
std::u16string Widen(std::string_view ascii);

// Decimal formatting ("%d") without locale.
std::u16string FormatInt(long long value);

// Case folding as the profile and file-name comparisons use it (simple Unicode upper-case mapping
// for the Latin, Greek and Cyrillic blocks; other code units compare as they are).
char16_t FoldCase(char16_t c);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
// The text with FoldCase applied to every code unit: a key under which EqualsNoCase names are equal.
std::u16string FoldedText(std::u16string_view text);
std::u16string ToLower(std::u16string_view text);

// The value of an ASCII hexadecimal digit of either case, or -1 for any other code unit.
int HexDigit(char16_t c);

}  // namespace platform
