// POSIX: text without a mark is UTF-8; bytes that are not UTF-8 survive a round trip.
#include "platform/text_codec.h"
#include "platform/text.h"

namespace platform {
namespace {

std::u16string DecodeUtf8(std::string_view bytes) { return Utf8ToUtf16(bytes); }
std::string EncodeUtf8(std::u16string_view text) { return Utf16ToUtf8(text); }

}  // namespace

const TextCodec& NativeTextCodec() {
  static constexpr TextCodec codec{DecodeUtf8, EncodeUtf8, DecodeUtf8, EncodeUtf8};
  return codec;
}

}  // namespace platform
