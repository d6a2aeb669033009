// POSIX: case-sensitive names, plain exports, no short names.
#include "platform/os_rules.h"

namespace platform {

bool FileNamesIgnoreCase() { return false; }
bool ExportsAreDecorated() { return false; }
bool HasShortNames() { return false; }

}  // namespace platform
