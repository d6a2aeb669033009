#include "platform/system.h"

#include "real_parts.h"

namespace platform {

System& RealSystem() {
  // A function-local object: built on first use, never while a module loads.
  static System system{RealProfile(),  RealRegistry(), RealFiles(),      RealProcesses(), RealClock(),
                       RealWindows(),  RealDragDrop(), RealAutomation(), RealDialogs()};
  return system;
}

}  // namespace platform
