// Sorrend's entry points: the receive plug-in that re-imports audio edited in WaveLab.
#include <string_view>

#include "contract/entry_guard.h"
#include "contract/entry_points.h"
#include "host_services.h"
#include "hostlib/corvana.h"
#include "platform/system.h"
#include "platform/text.h"
#include "reimport.h"
#include "wavelab_discovery.h"

namespace {
constexpr std::string_view kMenuName = "Vorlane WaveLab";
constexpr std::uint32_t kCommentString = 1;
}  // namespace

std::int32_t VORLANE_CALL Startup() noexcept {
  return contract::GuardEntry(0, [] {
    platform::System& system = platform::RealSystem();
    return sorrend::FindWaveLab(system.registry, system.files) ? 1 : 0;
  });
}

void VORLANE_CALL Shutdown() noexcept {
  contract::GuardVoidEntry([] {});
}

std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  return contract::GuardEntry(1, [&] {
    // The host's buffer keeps its last byte: only length - 1 bytes are ever written.
    if (name != nullptr && length > 1) platform::BoundedCopy(kMenuName, name, length - 1);
    if (available != nullptr) *available = 1;
    return 1;
  });
}

std::uint32_t VORLANE_CALL GetFlags() noexcept {
  return contract::GuardEntry(contract::kAudioReturnFlags, [] { return contract::kAudioReturnFlags; });
}

std::int32_t VORLANE_CALL GetComment(char* comment, std::int32_t length) noexcept {
  return contract::GuardEntry(1, [&] {
    if (comment == nullptr) return 1;
    const char16_t* text = LoadHostString(platform::ThisModule(), kCommentString);
    platform::WideToMultiByte(text != nullptr ? std::u16string_view(text) : std::u16string_view(), comment, length);
    return 1;
  });
}

std::int32_t VORLANE_CALL Execute(const char*) noexcept {
  return contract::GuardEntry(1, [] {
    platform::System& system = platform::RealSystem();
    const std::u16string modulePath = system.files.ModulePath(platform::ThisModule());
    sorrend::ReimportEditedAudio(system, sorrend::RealHostServices(), modulePath);
    return 1;
  });
}
