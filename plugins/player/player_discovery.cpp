#include "player_discovery.h"

#include "contract/export_description_paths.h"
#include "platform/limits.h"
#include "platform/path.h"

namespace player {

bool DiscoverPlayer(platform::System& system, const PlayerVariant& variant, std::u16string& playerPath) {
  const platform::RegistryValue value =
      system.registry.ReadString(variant.registryKey, variant.valueName, platform::kRegistryValueBytes);
  if (!value.keyOpened) return false;

  playerPath.clear();
  if (value.valueRead) playerPath = value.text.substr(0, value.text.find(u'\0'));
  if (!platform::FitsLimit(playerPath, platform::kMaxPathChars)) playerPath.clear();

  if (variant.form == PlayerPathForm::InstallDirectory) {
    if (playerPath.empty()) return false;
    if (!platform::EndsWithSeparator(playerPath)) playerPath += platform::PathSeparator();
    playerPath += variant.executableName;
    // A directory too long for the executable's name is no usable installation.
    if (!platform::FitsLimit(playerPath, platform::kMaxPathChars)) {
      playerPath.clear();
      return false;
    }
    return contract::FileExists(system.files, playerPath);
  }

  if (!contract::FileExists(system.files, playerPath)) return false;
  // The short form is best effort: without one the long path serves.
  if (const auto shortPath = system.files.ShortPath(playerPath); shortPath && !shortPath->empty() &&
                                                                 platform::FitsLimit(*shortPath, platform::kMaxPathChars)) {
    playerPath = *shortPath;
  }
  return true;
}

}  // namespace player
