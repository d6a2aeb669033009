// Entry points of the player plug-ins. The player path is the only state: filled by GetMenuName,
// read by Execute, emptied by Shutdown.
#include <cstdint>
#include <string>

#include "contract/boundary_text.h"
#include "contract/entry_guard.h"
#include "contract/entry_points.h"
#include "platform/text.h"
#include "player_discovery.h"
#include "player_handoff.h"

VORLANE_EXPORT std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t, std::int32_t) noexcept;

namespace {

std::u16string& PlayerPath() {
  static std::u16string path;
  return path;
}

}  // namespace

std::int32_t VORLANE_CALL Startup() noexcept {
  return contract::GuardEntry(1, [] { return 1; });
}

void VORLANE_CALL Shutdown() noexcept {
  contract::GuardVoidEntry([] { PlayerPath().clear(); });
}

std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  return contract::GuardEntry(
      1,
      [&] {
        if (name != nullptr) platform::BoundedCopy(player::ThisPlayer().menuName, name, length);
        const bool found = player::DiscoverPlayer(platform::RealSystem(), player::ThisPlayer(), PlayerPath());
        if (available != nullptr) *available = found ? 1 : 0;
        return 1;
      },
      [&] {
        if (available != nullptr) *available = 0;
      });
}

std::uint32_t VORLANE_CALL GetFlags() noexcept {
  return contract::GuardEntry(contract::kSendFlags, [] { return contract::kSendFlags; });
}

std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t, std::int32_t) noexcept {
  return contract::GuardEntry(1, [] { return 1; });
}

std::int32_t VORLANE_CALL Execute(const char* text) noexcept {
  return contract::GuardEntry(1, [&] {
    if (const auto descriptionPath = contract::DescriptionPathFromHost(text)) {
      player::StartPlayers(platform::RealSystem(), PlayerPath(), *descriptionPath);
    }
    return 1;
  });
}
