// POSIX: there are no windows and no cursor to place.
#include "real_parts.h"
#include "unavailable.h"

namespace platform {

Windows& RealWindows() {
  static UnavailableWindows windows;
  return windows;
}

}  // namespace platform
