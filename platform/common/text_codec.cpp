// Byte-order marks and UTF-16, shared by both builds; the 8-bit forms come from the OS file.
#include "platform/text_codec.h"

namespace platform {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return out;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
  return out;
}

}  // namespace

TextEncoding EncodingOfMark(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Mark)) return TextEncoding::Utf8Bom;
  if (StartsWith(bytes, kUtf16LeMark)) return TextEncoding::Utf16Le;
  if (StartsWith(bytes, kUtf16BeMark)) return TextEncoding::Utf16Be;
  return TextEncoding::Plain;
}

bool StartsWithMark(std::string_view bytes) { return EncodingOfMark(bytes) != TextEncoding::Plain; }

DecodedText DecodeText(std::string_view bytes, const TextCodec& codec) {
  const TextEncoding encoding = EncodingOfMark(bytes);
  switch (encoding) {
    case TextEncoding::Utf8Bom:
      return {codec.decodeUtf8(bytes.substr(kUtf8Mark.size())), encoding};
    case TextEncoding::Utf16Le:
      return {DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false), encoding};
    case TextEncoding::Utf16Be:
      return {DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true), encoding};
    case TextEncoding::Plain:
      break;
  }
  return {codec.decodePlain(bytes), encoding};
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding, bool withMark, const TextCodec& codec) {
  switch (encoding) {
    case TextEncoding::Utf8Bom:
      return std::string(withMark ? kUtf8Mark : "") + codec.encodeUtf8(text);
    case TextEncoding::Utf16Le:
      return std::string(withMark ? kUtf16LeMark : "") + EncodeUtf16(text, false);
    case TextEncoding::Utf16Be:
      return std::string(withMark ? kUtf16BeMark : "") + EncodeUtf16(text, true);
    case TextEncoding::Plain:
      break;
  }
  return codec.encodePlain(text);
}

}  // namespace platform
