#pragma once
// Moltrin's import run: the description files the user picks lead to recorder folders, and every media
// file found there becomes one numbered section of the clip list.
#include <cstdint>
#include <string>
#include <string_view>

#include "contract/module_files.h"
#include "file_open_dialog.h"
#include "platform/system.h"

namespace recorder {

// Imports the chosen description files into the clip list at `clipListPath`, numbering the clips from
// Clip0 without gaps: every ".dlx" file where it stands in the selection, then the folders that the last
// file names when it is a ".dlt" or ".cdt" file. Windows lower-cases each description path before it
// forms the clips' Path and Name; POSIX keeps its case, which there tells files apart. Returns 1, or 0
// when a chosen file cannot be opened (the clips written before it stay) or a clip cannot be written
// (the clip list is emptied again: all of the run's clips or none). Blocks for the file reads and writes.
std::int32_t ImportSelection(platform::System& system, std::u16string_view clipListPath, const Selection& selection);

// The whole run: deletes the clip list (or empties one that cannot be deleted), lets the user choose
// (FileOpenDlg, owned by the host's main window) and imports the choice. Returns 0 when there is no safe
// clip list path, an earlier clip list stays, the dialog is cancelled, or the import fails, else 1.
// Blocks while the dialog is open.
std::int32_t RunImport(platform::System& system, const contract::ModuleFiles& files, std::u16string& startupPath);

}  // namespace recorder
