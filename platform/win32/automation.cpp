// Windows: the encoder's automation object arrives with the encoder hand-off; until then none is created.
#include "real_parts.h"
#include "unavailable.h"

namespace platform {

Automation& RealAutomation() {
  static UnavailableAutomation automation;
  return automation;
}

}  // namespace platform
