// POSIX: out-of-process automation objects do not exist.
#include "real_parts.h"
#include "unavailable.h"

namespace platform {

Automation& RealAutomation() {
  static UnavailableAutomation automation;
  return automation;
}

}  // namespace platform
