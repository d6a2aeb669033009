#pragma once
// Starting the player once per exported object with the object's primary media file.
#include <string>
#include <string_view>

#include "platform/system.h"

namespace player {

// The command line for one object: the player path, a blank, a double quote and the media path, with no
// closing quote. Line and terminator fit 1024 characters; the media path is cut to the room left.
inline constexpr std::size_t kCommandLineChars = 1024;

// Reads the export description at `descriptionPath` and starts `playerPath` for every object that has a
// primary media file, in the order of the object numbers, with window show setting 5. Objects without
// media, a missing file, a file beyond contract::kMaxDescriptionBytes and failed starts are passed over.
// Reads the file once, whatever its count. Never waits for a player.
void StartPlayers(platform::System& system, std::u16string_view playerPath, std::u16string_view descriptionPath);

}  // namespace player
