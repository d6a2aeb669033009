#pragma once
// Finding the installed media player through the registry.
#include <string>

#include "platform/system.h"
#include "player_variant.h"

namespace player {

// Looks the player up and stores its path in `playerPath` (at most 259 characters). Returns true when
// the executable exists. A registry key that cannot be opened leaves `playerPath` as it was; a value too
// long for 520 bytes, or a composed path past 259 characters, leaves it empty. Blocks for registry and
// file lookups only.
bool DiscoverPlayer(platform::System& system, const PlayerVariant& variant, std::u16string& playerPath);

}  // namespace player
