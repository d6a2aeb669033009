#pragma once
// The real implementation of each platform concern for this build, created on first use; each is
// defined in platform/<os>/<concern>.cpp (the profile in real_profile.h).
#include "platform/system.h"
#include "real_profile.h"

namespace platform {

Registry& RealRegistry();
Files& RealFiles();
Processes& RealProcesses();
Clock& RealClock();
Windows& RealWindows();
DragDrop& RealDragDrop();
Automation& RealAutomation();
Dialogs& RealDialogs();

}  // namespace platform
