#pragma once
// A platform bundle for tests: the parts a test hands in, and for the rest a part that finds nothing and
// does nothing (platform/common/unavailable.h), so that a test touches only what it names. A test that
// needs a real part hands it in, e.g. `.files = &platform::RealSystem().files`.
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
