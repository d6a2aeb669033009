// The probe of the host's text, shared by both builds: the OS only answers for whole pages.
#include <cstdint>

#include "platform/processor_faults.h"
#include "processor_faults_os.h"

namespace platform {

bool ReadableText(const char* text, std::size_t maxBytes) {
  if (text == nullptr) return false;
  const std::size_t page = detail::PageBytes();
  std::size_t checked = 0;
  while (checked < maxBytes) {
    const char* at = text + checked;
    // Protection is per page: one probe answers for every byte up to the page's end.
    if (!detail::PageReadable(at)) return false;
    const std::size_t toPageEnd = page - reinterpret_cast<std::uintptr_t>(at) % page;
    const std::size_t end = checked + toPageEnd < maxBytes ? checked + toPageEnd : maxBytes;
    for (; checked < end; ++checked) {
      if (text[checked] == '\0') return true;
    }
  }
  return true;
}

}  // namespace platform
