#pragma once
// Re-import of audio edited in WaveLab: clip description files ("*.SRB") in the send folder that are
// marked modified become numbered sections of the clip list file.
#include <optional>
#include <string>
#include <string_view>

#include "host_services.h"
#include "platform/system.h"

namespace sorrend {

// The send folder: the default render directory, else the host application's default directory, else
// empty text, followed by "Dovrel" and this build's separator. Nothing when it would not fit a
// 260-character path buffer.
std::optional<std::u16string> SendFolder(HostServices& host);

// Drive and directory of the module's path followed by "Vorlane.INI" (the clip list file the other
// receive plug-ins call "vorlane.ini"). Nothing when the module path or the result does not fit.
std::optional<std::u16string> ClipListPath(std::u16string_view modulePath);

// Lists every modified clip whose audio file exists as sections "CLIP0", "CLIP1" ... of the clip list
// beside the module, in search order, in one write of the clip list (clip by clip when that fails), and
// clears the modified flag of each clip that reads back from the clip list with the values written. A
// clip whose section could not be written stays modified and uses no clip number; one that does not read
// back stays modified. Returns the number of clips listed. Reports no failure; blocks on file reads and
// writes.
int ReimportEditedAudio(platform::System& system, HostServices& host, std::u16string_view modulePath);

}  // namespace sorrend
