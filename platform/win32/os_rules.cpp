// Windows: names without case, decorated stdcall exports, 8.3 short names, drives.
#include "platform/os_rules.h"

namespace platform {

bool FileNamesIgnoreCase() { return true; }
bool ExportsAreDecorated() { return true; }
bool HasShortNames() { return true; }
bool PathsHaveDrives() { return true; }

}  // namespace platform
