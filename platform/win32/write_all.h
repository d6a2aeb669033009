#pragma once
// Windows: writing a whole buffer to a file handle, through short writes.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace platform {

inline bool WriteAll(HANDLE file, std::string_view bytes) {
  // A single very large WriteFile can fail for lack of kernel resources (network drives); 16 MiB stays
  // far below that while keeping calls few for any file this code writes.
  constexpr std::size_t kChunkBytes = std::size_t{16} << 20;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kChunkBytes));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace platform
