#include "send_by_automation.h"

#include "handoff_timing.h"

namespace encoder {
namespace {

bool WaitUntilReady(platform::System& system, platform::AutomationObject& object) {
  const std::uint32_t start = system.clock.TickCount();
  platform::LongAnswer ready = object.CallWithLongOut(kIsReadyEntry);
  if (ready.result != 0) return false;
  while (ready.value == 0) {
    if (ElapsedSince(system.clock.TickCount(), start) >= kReadyWaitMs) return false;
    ready = object.CallWithLongOut(kIsReadyEntry);
    if (ready.result != 0) return false;
  }
  return true;
}

}  // namespace

bool SendByAutomation(platform::System& system, platform::AutomationObject* object, HandOffPayloads& payloads) {
  if (object == nullptr) return false;
  const std::size_t count = payloads.ObjectCount();
  for (std::size_t index = 0; index < count; ++index) {
    if (!WaitUntilReady(system, *object)) return false;
    for (const std::u16string& file : payloads.AutomationFiles(index)) {
      if (object->CallWithString(kAddFileEntry, file) != 0) return false;
    }
  }
  return true;
}

}  // namespace encoder
