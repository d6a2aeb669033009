#pragma once
// The watch folder's choice: the folder browser, owned by the host editor's main window.
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/window.h"

namespace watchfolder {

// The host editor's main window (class "PEXA_BLUE", any title); the desktop window when there is none.
platform::WindowHandle FindHostMainWindow(platform::Windows& windows);

// Shows the folder browser on `folder` and, when the user chooses a folder, stores it in `folder` ending
// in exactly one separator. A folder ending in a separator loses it before the browser opens, so that the
// browser finds it; it stays so when the user cancels. Returns false on a cancel, on an item without a
// file-system path and on a choice whose separator would not fit 259 characters. Blocks while the browser
// is open (POSIX: the stand-in host answers at once).
bool ChooseWatchFolder(platform::Dialogs& dialogs, std::u16string& folder, platform::WindowHandle owner,
                       std::u16string_view title);

}  // namespace watchfolder
