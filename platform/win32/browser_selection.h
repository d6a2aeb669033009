#pragma once
// Windows: selecting a folder in an open folder browser.
#include <windows.h>

#include <functional>
#include <string>

namespace platform {

// Whether two paths name the same folder, letter case and a trailing separator aside.
bool SameFolder(std::u16string a, std::u16string b);

// `path` as the browser's selection reports it (its long form); `path` itself for a folder not found.
std::u16string BrowserPath(const std::u16string& path);

// Sends BFFM_SETSELECTIONW for `path`, again (a few times at most) while `selection()`, the path of the
// browser's selected item, is another folder; returns whether the browser then shows `path`. Windows takes
// the first message; Wine's browser may stop above a folder that has just changed until the second. Blocks
// until the browser's thread has handled each message.
bool SelectBrowserFolder(HWND browser, const std::u16string& path, const std::function<std::u16string()>& selection);

}  // namespace platform
