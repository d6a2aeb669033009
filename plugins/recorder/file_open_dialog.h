#pragma once
// Choosing the recorder's description files: the host's main window as the dialog's owner, and the
// open-file dialog with its filters, remembered filter index and pre-filled last choice.
#include <optional>
#include <string>
#include <vector>

#include "contract/module_files.h"
#include "platform/system.h"

namespace recorder {

// The most files a multiple selection hands on.
inline constexpr std::size_t kMostSelectedFiles = 500;
// The dialog's file name buffer, in UTF-16 characters.
inline constexpr std::uint32_t kSelectionBufferChars = 0x8000;

// What the user chose: one file, or (list not empty) the full paths of a multiple selection.
struct Selection {
  std::u16string single;
  std::vector<std::u16string> list;
};

// The top-level window of class "PEXA_BLUE", else the desktop window. Does not block.
platform::WindowHandle FindHostMainWindow(platform::Windows& windows);

// Shows the open-file dialog (filters DLT, DLX, CDT; "nFilterIndex" of the settings file, default 1),
// pre-filled with `startupPath`, with the thread's other windows disabled meanwhile. Nothing when the
// user cancels. On a selection it stores the filter index at once and sets `startupPath` to the first
// file chosen. A first text that opens for reading is a single selection; otherwise the rest are names
// in the first text's directory, the first 500 of them, leaving out those whose full path is longer
// than 259 characters. A fault inside is traced at the failure level and the selection returned as it
// stood. Blocks while the dialog is open.
std::optional<Selection> FileOpenDlg(platform::System& system, const contract::ModuleFiles& files,
                                     platform::WindowHandle owner, std::u16string_view title,
                                     std::u16string& startupPath);

}  // namespace recorder
