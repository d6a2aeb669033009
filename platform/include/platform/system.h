#pragma once
// The bundle of platform interfaces that plug-in logic receives, so that tests can hand it fakes.
#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/dragdrop.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/window.h"

namespace platform {

struct System {
  Profile& profile;
  Registry& registry;
  Files& files;
  Processes& processes;
  Clock& clock;
  Windows& windows;
  DragDrop& dragDrop;
  Automation& automation;
  Dialogs& dialogs;
};

// The real implementations of this build, created on first use (never while the module loads).
System& RealSystem();

// The handle of the module this code is linked into (Windows: stored by the load notification;
// POSIX: the module's load address, found on first use).
void* ThisModule();

}  // namespace platform
