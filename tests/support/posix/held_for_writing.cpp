// POSIX: a plain write descriptor; nothing here keeps other opens out.
#include "held_for_writing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>

#include "platform/text.h"

namespace vorlane::test {

HeldForWriting::HeldForWriting(const std::u16string& path) {
  const int fd = open(platform::Utf16ToUtf8(path).c_str(), O_WRONLY | O_CLOEXEC);
  held_ = fd >= 0;
  handle_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(fd));
}

HeldForWriting::~HeldForWriting() {
  if (held_) close(static_cast<int>(reinterpret_cast<std::intptr_t>(handle_)));
}

bool WritersKeepOutReadersDenyingWrite() { return false; }

}  // namespace vorlane::test
