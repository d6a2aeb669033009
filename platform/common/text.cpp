// Text conversions shared by both builds; the locale-dependent ones go through the C library.
#include "platform/text.h"

#include <clocale>
#include <climits>
#include <cstring>
#include <cwchar>
#include <string>

namespace platform {
namespace {

// The "C" locale is handled here rather than by the C library: glibc's rejects every byte above
// 0x7F, where the host's C library maps each byte to the code unit of the same value and back.
bool InClassicLocale() {
  const char* name = std::setlocale(LC_CTYPE, nullptr);
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendCodePoint(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

// One simple case pair range: the lower-case letters lo..hi (every other one when `alternate`)
// map to themselves plus `delta`. `direction` limits single letters whose mapping is one-way.
enum class Direction { Both, UpperOnly, LowerOnly };
struct CaseRule {
  char16_t lo, hi;
  int delta;
  bool alternate;
  Direction direction;
};

constexpr CaseRule kCaseRules[] = {
    {0x0061, 0x007A, -32, false, Direction::Both},
    {0x00B5, 0x00B5, 0x039C - 0x00B5, false, Direction::UpperOnly},
    {0x00E0, 0x00F6, -32, false, Direction::Both},
    {0x00F8, 0x00FE, -32, false, Direction::Both},
    {0x00FF, 0x00FF, 0x0178 - 0x00FF, false, Direction::Both},
    {0x0101, 0x012F, -1, true, Direction::Both},
    {0x0069, 0x0069, 0x0130 - 0x0069, false, Direction::LowerOnly},
    {0x0131, 0x0131, 0x0049 - 0x0131, false, Direction::UpperOnly},
    {0x0133, 0x0137, -1, true, Direction::Both},
    {0x013A, 0x0148, -1, true, Direction::Both},
    {0x014B, 0x0177, -1, true, Direction::Both},
    {0x017A, 0x017E, -1, true, Direction::Both},
    {0x017F, 0x017F, 0x0053 - 0x017F, false, Direction::UpperOnly},
    {0x03AC, 0x03AC, 0x0386 - 0x03AC, false, Direction::Both},
    {0x03AD, 0x03AF, 0x0388 - 0x03AD, false, Direction::Both},
    {0x03B1, 0x03C1, -32, false, Direction::Both},
    {0x03C2, 0x03C2, 0x03A3 - 0x03C2, false, Direction::UpperOnly},
    {0x03C3, 0x03CB, -32, false, Direction::Both},
    {0x03CC, 0x03CC, 0x038C - 0x03CC, false, Direction::Both},
    {0x03CD, 0x03CE, 0x038E - 0x03CD, false, Direction::Both},
    {0x03D9, 0x03EF, -1, true, Direction::Both},
    {0x0430, 0x044F, -32, false, Direction::Both},
    {0x0450, 0x045F, -80, false, Direction::Both},
    {0x0461, 0x0481, -1, true, Direction::Both},
    {0x048B, 0x04BF, -1, true, Direction::Both},
    {0x04C2, 0x04CE, -1, true, Direction::Both},
    {0x04CF, 0x04CF, 0x04C0 - 0x04CF, false, Direction::Both},
    {0x04D1, 0x052F, -1, true, Direction::Both},
};

bool InRule(const CaseRule& r, int c) {
  return c >= r.lo && c <= r.hi && (!r.alternate || (c - r.lo) % 2 == 0);
}

char16_t LowerCase(char16_t c) {
  for (const CaseRule& r : kCaseRules) {
    if (r.direction == Direction::UpperOnly) continue;
    if (InRule(r, c - r.delta)) return static_cast<char16_t>(c - r.delta);
  }
  return c;
}

}  // namespace

std::u16string MultiByteToWide(const char* text, std::size_t maxChars) {
  std::u16string out;
  if (text == nullptr) return out;
  if (InClassicLocale()) {
    for (std::size_t i = 0; i < maxChars && text[i] != '\0'; ++i)
      out.push_back(static_cast<unsigned char>(text[i]));
    return out;
  }
  std::mbstate_t state{};
  const std::size_t available = std::strlen(text);
  std::size_t pos = 0;
  for (std::size_t chars = 0; chars < maxChars && pos < available;) {
    wchar_t wc = 0;
    const std::size_t used = std::mbrtowc(&wc, text + pos, available - pos, &state);
    if (used == 0 || used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) break;
    pos += used;
    // A 16-bit wchar_t is already UTF-16 (one code unit per character the C library counts).
    if (kWideIsUtf16) {
      out.push_back(static_cast<char16_t>(wc));
    } else {
      AppendCodePoint(out, static_cast<char32_t>(wc));
    }
    ++chars;
  }
  return out;
}

int WideToMultiByte(std::u16string_view text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const bool classic = InClassicLocale();
  std::mbstate_t state{};
  int written = 0;
  for (std::size_t i = 0; i < text.size() && text[i] != u'\0'; ++i) {
    char bytes[MB_LEN_MAX > 16 ? MB_LEN_MAX : 16];
    std::size_t count = 0;
    if (classic) {
      if (text[i] > 0xFF) break;
      bytes[0] = static_cast<char>(text[i]);
      count = 1;
    } else {
      char32_t c = text[i];
      if (!kWideIsUtf16 && IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      }
      count = std::wcrtomb(bytes, static_cast<wchar_t>(c), &state);
      if (count == static_cast<std::size_t>(-1)) break;
    }
    // A character whose bytes do not all fit is left out whole, as the C library does.
    if (count > static_cast<std::size_t>(size - written)) return written;
    std::memcpy(buffer + written, bytes, count);
    written += static_cast<int>(count);
  }
  // Also after a character the locale cannot convert: the host must not read past the text.
  if (written < size) buffer[written++] = '\0';
  return written;
}

void BoundedCopy(std::string_view text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  const std::size_t n = text.size() < static_cast<std::size_t>(size) ? text.size() : static_cast<std::size_t>(size);
  std::memcpy(buffer, text.data(), n);
  std::memset(buffer + n, 0, static_cast<std::size_t>(size) - n);
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char b = byte(i);
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t c = 0, min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2, c = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3, c = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4, c = b & 0x07, min = 0x10000;
    }
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (valid && (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
    if (!valid) {
      // Kept as an escape code unit so that the byte is written back unchanged.
      out.push_back(static_cast<char16_t>(0xDC00 + b));
      ++i;
      continue;
    }
    AppendCodePoint(out, c);
    i += length;
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Runs of ASCII, most of any ini file, copied without the checks below.
    std::size_t ascii = i;
    while (ascii < text.size() && text[ascii] < 0x80) ++ascii;
    if (ascii > i) {
      const std::size_t at = out.size();
      out.resize(at + (ascii - i));
      for (std::size_t k = i; k < ascii; ++k) out[at + (k - i)] = static_cast<char>(text[k]);
      i = ascii - 1;
      continue;
    }
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xDC80 && c <= 0xDCFF) {
      out.push_back(static_cast<char>(c - 0xDC00));
      continue;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u16string Widen(std::string_view ascii) {
  std::u16string out;
  out.reserve(ascii.size());
  for (char c : ascii) out.push_back(static_cast<unsigned char>(c));
  return out;
}

std::u16string FormatInt(long long value) { return Widen(std::to_string(value)); }

char16_t FoldCase(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
  for (const CaseRule& r : kCaseRules) {
    if (r.direction != Direction::LowerOnly && InRule(r, c)) return static_cast<char16_t>(c + r.delta);
  }
  return c;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::u16string FoldedText(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = FoldCase(c);
  return out;
}

std::u16string ToLower(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = LowerCase(c);
  return out;
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace platform
