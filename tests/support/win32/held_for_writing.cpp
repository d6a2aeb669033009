// Windows: a GENERIC_WRITE handle that itself shares the file with readers and writers.
#include "held_for_writing.h"

#include <windows.h>

namespace vorlane::test {

HeldForWriting::HeldForWriting(const std::u16string& path) {
  const std::wstring wide(path.begin(), path.end());
  const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  held_ = file != INVALID_HANDLE_VALUE;
  handle_ = file;
}

HeldForWriting::~HeldForWriting() {
  if (held_) CloseHandle(handle_);
}

bool WritersKeepOutReadersDenyingWrite() { return true; }

}  // namespace vorlane::test
