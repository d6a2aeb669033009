// Windows: text without a mark is in the ANSI code page, written with best-fit conversion ("?" for what
// does not map), as the profile functions do.
#include <windows.h>

#include "platform/text_codec.h"
#include "wide.h"

namespace platform {
namespace {

std::u16string Decode(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return FromWide(out.data(), out.size());
}

std::string Encode(UINT codePage, std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, wide, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::u16string DecodeAnsi(std::string_view bytes) { return Decode(CP_ACP, bytes); }
std::string EncodeAnsi(std::u16string_view text) { return Encode(CP_ACP, text); }
std::u16string DecodeUtf8(std::string_view bytes) { return Decode(CP_UTF8, bytes); }
std::string EncodeUtf8(std::u16string_view text) { return Encode(CP_UTF8, text); }

}  // namespace

const TextCodec& NativeTextCodec() {
  static constexpr TextCodec codec{DecodeAnsi, EncodeAnsi, DecodeUtf8, EncodeUtf8};
  return codec;
}

}  // namespace platform
