#pragma once
// POSIX: writing a whole buffer to a descriptor, through short writes and interruptions.
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace platform {

inline bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace platform
