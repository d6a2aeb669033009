// Windows: selecting a folder in an open folder browser by its path.
#include "browser_selection.h"

#include <shlobj.h>

#include "platform/limits.h"
#include "platform/path.h"
#include "platform/text.h"
#include "wide.h"

namespace platform {
namespace {

// Wine's browser walks its tree along the path's folders and compares each item with the parsed path byte
// for byte, the folder's last-access time included. The first look into a folder that has just changed
// moves that time on (Linux's relatime), and Wine looks into each folder on the way while it parses the
// path (for a desktop.ini): so the first selection can stop above such a folder, and by the second every
// folder on the way has its new time.
constexpr int kSelectionTries = 3;

}  // namespace

bool SameFolder(std::u16string a, std::u16string b) {
  if (EndsWithSeparator(a)) a.pop_back();
  if (EndsWithSeparator(b)) b.pop_back();
  return EqualsNoCase(a, b);
}

std::u16string BrowserPath(const std::u16string& path) {
  wchar_t buffer[kWideBufferChars] = L"";
  const DWORD length = GetLongPathNameW(Wide(path), buffer, static_cast<DWORD>(std::size(buffer)));
  return length > 0 && length < std::size(buffer) ? FromWide(buffer, length) : path;
}

bool SelectBrowserFolder(HWND browser, const std::u16string& path, const std::function<std::u16string()>& selection) {
  const std::u16string wanted = BrowserPath(path);
  for (int attempt = 0; attempt < kSelectionTries; ++attempt) {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Wide(path)));
    if (SameFolder(selection(), wanted)) return true;
  }
  return false;
}

}  // namespace platform
