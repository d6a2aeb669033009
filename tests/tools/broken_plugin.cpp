// Send plug-ins of the test suite that break the contract in one way each, for plugin-host validate:
// BROKEN_OVERRUN writes one byte past the size GetMenuName is given, BROKEN_CRASH faults in Execute,
// BROKEN_HANG never returns from Execute.
#include <chrono>
#include <cstring>
#include <thread>

#include "contract/entry_points.h"

namespace {
// Volatile, so that the compiler cannot see the fault coming and drop the store.
volatile std::uintptr_t nowhere = 0;
}  // namespace

VORLANE_EXPORT std::int32_t VORLANE_CALL Startup() noexcept { return 1; }
VORLANE_EXPORT void VORLANE_CALL Shutdown() noexcept {}

VORLANE_EXPORT std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  const char text[] = "Broken";
  if (length > 0) std::strncpy(name, text, static_cast<std::size_t>(length));
#if BROKEN_OVERRUN
  // The terminator written as if the size left room for it.
  if (length >= 0) name[length] = '\0';
#endif
  *available = 1;
  return 1;
}

VORLANE_EXPORT std::uint32_t VORLANE_CALL GetFlags() noexcept { return 0x31; }

VORLANE_EXPORT std::int32_t VORLANE_CALL Execute(const char*) noexcept {
#if BROKEN_CRASH
  *reinterpret_cast<volatile int*>(nowhere) = 1;
#endif
#if BROKEN_HANG
  for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
#endif
  return static_cast<std::int32_t>(nowhere) + 1;
}

VORLANE_EXPORT std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t, std::int32_t) noexcept { return 1; }
