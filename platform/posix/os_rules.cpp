// POSIX: case-sensitive names, plain exports, no short names, no drives.
#include "platform/os_rules.h"

namespace platform {

bool FileNamesIgnoreCase() { return false; }
bool ExportsAreDecorated() { return false; }
bool HasShortNames() { return false; }
bool PathsHaveDrives() { return false; }

}  // namespace platform
