#pragma once
// A platform bundle for tests: the parts a test hands in, the real implementation for the rest.
#include "platform/system.h"

namespace platform::fake {

struct SystemParts {
  Profile* profile = nullptr;
  Registry* registry = nullptr;
  Files* files = nullptr;
  Processes* processes = nullptr;
  Clock* clock = nullptr;
  Windows* windows = nullptr;
  DragDrop* dragDrop = nullptr;
  Automation* automation = nullptr;
  Dialogs* dialogs = nullptr;
};

// The bundle refers to the parts; they must outlive it.
System MakeSystem(const SystemParts& parts);

}  // namespace platform::fake
