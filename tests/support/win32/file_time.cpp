// Windows: SetFileTime takes the file time as it is.
#include <windows.h>

#include "file_time.h"

namespace vorlane::test {

bool SetLastWriteTime(const std::u16string& path, std::uint64_t fileTime) {
  const std::wstring wide(path.begin(), path.end());
  const HANDLE file = CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME time{static_cast<DWORD>(fileTime & 0xFFFFFFFFu), static_cast<DWORD>(fileTime >> 32)};
  const bool set = SetFileTime(file, nullptr, nullptr, &time) != FALSE;
  CloseHandle(file);
  return set;
}

}  // namespace vorlane::test
