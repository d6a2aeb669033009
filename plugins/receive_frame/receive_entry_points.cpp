// The entry points of a receive plug-in built on the frame, compiled into each such module: thin calls
// into the frame with the module's own ReceivePlugin.
#include <cstdint>

#include "contract/entry_guard.h"
#include "contract/entry_points.h"
#include "platform/system.h"
#include "receive_frame.h"

std::int32_t VORLANE_CALL Startup() noexcept {
  return contract::GuardEntry(1, [] {
    return receive_frame::Startup(receive_frame::ThisPlugin(), platform::RealSystem(), platform::ThisModule(),
                                  receive_frame::State());
  });
}

void VORLANE_CALL Shutdown() noexcept {
  contract::GuardVoidEntry([] {
    receive_frame::Shutdown(receive_frame::ThisPlugin(), platform::RealSystem(), receive_frame::State());
  });
}

std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  return contract::GuardEntry(1, [&] {
    return receive_frame::GetMenuName(receive_frame::ThisPlugin(), platform::ThisModule(), name, length, available);
  });
}

std::int32_t VORLANE_CALL GetComment(char* comment, std::int32_t length) noexcept {
  return contract::GuardEntry(1, [&] {
    return receive_frame::GetComment(receive_frame::ThisPlugin(), platform::ThisModule(), comment, length);
  });
}

std::uint32_t VORLANE_CALL GetFlags() noexcept {
  return contract::GuardEntry(contract::kReceiveFlags, [] { return receive_frame::GetFlags(receive_frame::ThisPlugin()); });
}

// The host's text is never read by a receive plug-in. A plug-in that reports its run's faults (Moltrin)
// catches processor faults there as well; the others keep the exception catch-all alone.
std::int32_t VORLANE_CALL Execute(const char*) noexcept {
  const receive_frame::ReceivePlugin& plugin = receive_frame::ThisPlugin();
  const auto run = [&] { return receive_frame::Execute(plugin, platform::RealSystem(), receive_frame::State()); };
  const auto report = [&] {
    receive_frame::ReportExecuteFault(plugin, platform::RealSystem(), receive_frame::State());
  };
  if (plugin.executeFaultTrace != nullptr) return contract::GuardEntryAndFaults(plugin.executeFailure, run, report);
  return contract::GuardEntry(plugin.executeFailure, run, report);
}
