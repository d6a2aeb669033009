// Windows: read-only is the file's attribute.
#include "read_only.h"

#include <windows.h>

namespace vorlane::test {

bool SetReadOnly(const std::u16string& path, bool readOnly) {
  const std::wstring file(path.begin(), path.end());
  if (!SetFileAttributesW(file.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL)) return false;
  // Wine run by an administrator keeps the attribute but still lets the file be written.
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return true;
  CloseHandle(handle);
  return false;
}

}  // namespace vorlane::test
