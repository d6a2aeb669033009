// Windows: selecting a folder in an open folder browser, one level at a time.
#include "browser_selection.h"

#include <shlobj.h>

#include "platform/path.h"
#include "wide.h"

namespace platform {

void SelectBrowserFolder(HWND browser, const std::u16string& path) {
  for (std::size_t at = 0; at + 1 < path.size(); ++at) {
    if (!IsPathSeparator(path[at])) continue;
    // A drive keeps its separator ("C:\\"); a folder is named without one.
    const std::u16string level = path.substr(0, at == 0 || path[at - 1] == u':' ? at + 1 : at);
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Wide(level)));
  }
  SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Wide(path)));
}

}  // namespace platform
