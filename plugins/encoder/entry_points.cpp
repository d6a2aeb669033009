// Entry points of the encoder plug-in. It keeps no state: the encoder is looked up at every call.
#include <cstdint>

#include "contract/entry_points.h"
#include "find_encoder.h"
#include "platform/text.h"

VORLANE_EXPORT std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t) noexcept;

namespace {
constexpr std::string_view kMenuName = "Media Cleaner";
}

std::int32_t VORLANE_CALL Startup() noexcept {
  try {
    encoder::FindEncoder(platform::RealSystem());
  } catch (...) {
  }
  return 1;
}

void VORLANE_CALL Shutdown() noexcept {}

std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  try {
    if (name != nullptr) platform::BoundedCopy(kMenuName, name, length);
    const bool found = encoder::FindEncoder(platform::RealSystem()).kind != encoder::EncoderKind::None;
    if (available != nullptr) *available = found ? 1 : 0;
  } catch (...) {
    if (available != nullptr) *available = 0;
  }
  return 1;
}

std::uint32_t VORLANE_CALL GetFlags() noexcept { return contract::kSendFlags; }

std::int32_t VORLANE_CALL GetDestPath(std::int32_t, std::int32_t) noexcept { return 0; }

// The hand-off to the encoder is not built yet: nothing is handed on.
std::int32_t VORLANE_CALL Execute(const char*) noexcept { return 0; }
