#pragma once
// Windows: selecting a folder in an open folder browser.
#include <windows.h>

#include <string>

namespace platform {

// Sends BFFM_SETSELECTIONW for `path`, first for each of its parent folders from the drive down: Wine's
// browser finds a folder only below a tree node that is already open. Blocks until the browser's thread
// has handled each message.
void SelectBrowserFolder(HWND browser, const std::u16string& path);

}  // namespace platform
