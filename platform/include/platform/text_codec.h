#pragma once
// The one way text files are turned into wide text and back: a byte-order mark decides UTF-8, UTF-16 LE
// or UTF-16 BE; text without a mark is in this build's 8-bit form (Windows: the ANSI code page, best-fit
// on the way out; POSIX: UTF-8 with unknown bytes kept, see Utf8ToUtf16). Never fails.
#include <string>
#include <string_view>

namespace platform {

enum class TextEncoding { Plain, Utf8Bom, Utf16Le, Utf16Be };

// The 8-bit conversions behind Plain and Utf8Bom, so that a test can pair the Windows rules with
// another code page.
struct TextCodec {
  std::u16string (*decodePlain)(std::string_view bytes);
  std::string (*encodePlain)(std::u16string_view text);
  std::u16string (*decodeUtf8)(std::string_view bytes);
  std::string (*encodeUtf8)(std::u16string_view text);
};

// This build's 8-bit forms.
const TextCodec& NativeTextCodec();

struct DecodedText {
  std::u16string text;
  TextEncoding encoding = TextEncoding::Plain;
};

// The encoding that the bytes' mark names, Plain without one.
TextEncoding EncodingOfMark(std::string_view bytes);
// True when `bytes` begin with any of the three marks.
bool StartsWithMark(std::string_view bytes);

// The text behind the mark. An odd last byte of UTF-16 is dropped, as the platform's readers do.
DecodedText DecodeText(std::string_view bytes, const TextCodec& codec = NativeTextCodec());
// `text` in `encoding`, with its mark in front when `withMark` (a whole file, not an addition to one).
std::string EncodeText(std::u16string_view text, TextEncoding encoding, bool withMark,
                       const TextCodec& codec = NativeTextCodec());

}  // namespace platform
