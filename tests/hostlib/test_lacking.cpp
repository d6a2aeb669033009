// A send plug-in of the test suite that lacks Execute, which the stand-in host must refuse.
#include "contract/entry_points.h"

VORLANE_EXPORT std::int32_t VORLANE_CALL Startup() noexcept { return 1; }
VORLANE_EXPORT void VORLANE_CALL Shutdown() noexcept {}
VORLANE_EXPORT std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  if (length > 0) name[0] = '\0';
  *available = 0;
  return 1;
}
VORLANE_EXPORT std::uint32_t VORLANE_CALL GetFlags() noexcept { return 0x31; }
VORLANE_EXPORT std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t, std::int32_t) noexcept { return 1; }
