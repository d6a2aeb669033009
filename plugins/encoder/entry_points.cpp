// Entry points of the encoder plug-in. It keeps no state: the encoder is looked up at every call.
#include <cstdint>

#include "contract/entry_guard.h"
#include "contract/entry_points.h"
#include "encoder_handoff.h"
#include "find_encoder.h"
#include "platform/text.h"

VORLANE_EXPORT std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t) noexcept;

namespace {
constexpr std::string_view kMenuName = "Media Cleaner";
}

std::int32_t VORLANE_CALL Startup() noexcept {
  contract::GuardVoidEntry([] { encoder::FindEncoder(platform::RealSystem()); });
  return 1;
}

void VORLANE_CALL Shutdown() noexcept {}

std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  return contract::GuardEntry(
      std::int32_t{1},
      [&] {
        if (name != nullptr) platform::BoundedCopy(kMenuName, name, length);
        const bool found = encoder::FindEncoder(platform::RealSystem()).kind != encoder::EncoderKind::None;
        if (available != nullptr) *available = found ? 1 : 0;
        return std::int32_t{1};
      },
      [&] {
        if (available != nullptr) *available = 0;
      });
}

std::uint32_t VORLANE_CALL GetFlags() noexcept { return contract::kSendFlags; }

std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t) noexcept { return 0; }

std::int32_t VORLANE_CALL Execute(const char* path) noexcept {
  return contract::GuardEntry(std::int32_t{0}, [&] { return encoder::HandOff(platform::RealSystem(), path); });
}
