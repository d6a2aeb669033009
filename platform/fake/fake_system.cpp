#include "platform/fake/fake_system.h"

namespace platform::fake {
namespace {

template <typename T>
T& Choose(T* given, T& real) {
  return given != nullptr ? *given : real;
}

}  // namespace

System MakeSystem(const SystemParts& parts) {
  System& real = RealSystem();
  return System{Choose(parts.profile, real.profile),       Choose(parts.registry, real.registry),
                Choose(parts.files, real.files),           Choose(parts.processes, real.processes),
                Choose(parts.clock, real.clock),           Choose(parts.windows, real.windows),
                Choose(parts.dragDrop, real.dragDrop),     Choose(parts.automation, real.automation),
                Choose(parts.dialogs, real.dialogs)};
}

}  // namespace platform::fake
