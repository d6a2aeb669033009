#include "contract/boundary_text.h"

#include <cstring>

#include "contract/entry_points.h"
#include "platform/limits.h"
#include "platform/processor_faults.h"
#include "platform/text.h"

namespace contract {

std::optional<std::u16string> DescriptionPathFromHost(const char* text) {
  // A pointer the host never meant as text must not fault the host's process.
  if (!platform::ReadableText(text, platform::kWideBufferChars)) return std::nullopt;
  if (std::memchr(text, 0, platform::kWideBufferChars) == nullptr) return std::nullopt;
  return platform::MultiByteToWide(text, platform::kWideBufferChars);
}

}  // namespace contract

namespace contract {

void HostStringToBuffer(const char16_t* text, char* buffer, int size) {
  if (text == nullptr || buffer == nullptr || size <= 0) return;
  std::u16string_view wide(text);
  platform::WideToMultiByte(platform::CutToLimit(wide, platform::kMaxTextChars), buffer, size);
}

}  // namespace contract
