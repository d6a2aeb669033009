// POSIX: "/" is the only separator and there are no drives.
#include "path_os.h"
#include "platform/path.h"

namespace platform {

char16_t PathSeparator() { return u'/'; }
bool IsPathSeparator(char16_t c) { return c == u'/'; }

std::size_t detail::DriveLength(std::u16string_view) { return 0; }

}  // namespace platform
