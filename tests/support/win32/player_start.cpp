// Windows: the command line as the starting program wrote it, before any splitting.
#include "player_start.h"

#include <windows.h>

namespace vorlane::test {

std::string PlayerStartRecord(int, char**) {
  const wchar_t* line = GetCommandLineW();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes > 0 ? static_cast<std::size_t>(bytes - 1) : 0, '\0');
  if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

}  // namespace vorlane::test
