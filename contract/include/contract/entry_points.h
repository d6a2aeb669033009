#pragma once
// The entry points the host editor binds by name. Windows: stdcall, exported under their decorated
// names (_Startup@0 ...) by each plug-in's module-definition file. POSIX: plain C names.
// Each plug-in defines the five common ones and GetComment (receive) or its own GetDestPath (send).
#include <cstdint>

#include "platform/abi.h"

VORLANE_EXPORT std::int32_t VORLANE_CALL Startup() noexcept;
VORLANE_EXPORT void VORLANE_CALL Shutdown() noexcept;
VORLANE_EXPORT std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept;
VORLANE_EXPORT std::uint32_t VORLANE_CALL GetFlags() noexcept;
VORLANE_EXPORT std::int32_t VORLANE_CALL Execute(const char* text) noexcept;
VORLANE_EXPORT std::int32_t VORLANE_CALL GetComment(char* comment, std::int32_t length) noexcept;

namespace contract {

inline constexpr std::uint32_t kSendFlags = 0x00000031;
inline constexpr std::uint32_t kReceiveFlags = 0x08000007;   // Moltrin, Fennick
inline constexpr std::uint32_t kAudioReturnFlags = 0x0800000A;  // Sorrend

}  // namespace contract
