// Windows: "\\" is written, "/" is accepted too, and "X:" ends a drive.
#include "path_os.h"
#include "platform/path.h"

namespace platform {

char16_t PathSeparator() { return u'\\'; }
bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

std::size_t detail::DriveLength(std::u16string_view path) {
  return path.size() >= 2 && path[1] == u':' ? 2 : 0;
}

}  // namespace platform
