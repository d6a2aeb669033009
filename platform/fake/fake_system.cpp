#include "platform/fake/fake_system.h"

#include <type_traits>

#include "unavailable.h"

namespace platform::fake {
namespace {

template <typename T>
T& Choose(T* given, std::type_identity_t<T>& missing) {
  return given != nullptr ? *given : missing;
}

// Shared by every bundle: none of them keeps anything a test could see (the clock's readings only
// move on).
struct Unavailable {
  UnavailableProfile profile;
  UnavailableRegistry registry;
  UnavailableFiles files;
  UnavailableProcesses processes;
  UnavailableClock clock;
  UnavailableWindows windows;
  UnavailableDragDrop dragDrop;
  UnavailableAutomation automation;
  CancellingDialogs dialogs;
};

}  // namespace

System MakeSystem(const SystemParts& parts) {
  static Unavailable missing;
  return System{Choose(parts.profile, missing.profile),     Choose(parts.registry, missing.registry),
                Choose(parts.files, missing.files),         Choose(parts.processes, missing.processes),
                Choose(parts.clock, missing.clock),         Choose(parts.windows, missing.windows),
                Choose(parts.dragDrop, missing.dragDrop),   Choose(parts.automation, missing.automation),
                Choose(parts.dialogs, missing.dialogs)};
}

}  // namespace platform::fake
