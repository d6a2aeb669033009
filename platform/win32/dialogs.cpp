// Windows: the common file dialog and the folder browser, modal on the calling thread.
#include <windows.h>
#include <shlobj.h>

#include "browser_selection.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "real_parts.h"
#include "wide.h"

namespace platform {
namespace {

// BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE
constexpr UINT kFolderBrowserFlags = 0x75;

// The browser's own notifications; `data` is the folder to open on. It returns 0 for every message.
int CALLBACK FolderBrowserCallback(HWND browser, UINT message, LPARAM parameter, LPARAM data) {
  auto& folder = *reinterpret_cast<std::u16string*>(data);
  if (message == BFFM_INITIALIZED) {
    // A folder ending in a separator would not be found for selection.
    if (EndsWithSeparator(folder)) folder.pop_back();
    if (!folder.empty()) SelectBrowserFolder(browser, folder);
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[kWideBufferChars] = L"";
    if (!SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(parameter), path)) path[0] = L'\0';
    SendMessageW(browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
  }
  return 0;
}

// COM for the new dialog style on this thread, kept only as long as the browser is shown.
class ApartmentForDialog {
 public:
  ApartmentForDialog() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ApartmentForDialog() {
    if (initialized_) CoUninitialize();
  }
  ApartmentForDialog(const ApartmentForDialog&) = delete;
  ApartmentForDialog& operator=(const ApartmentForDialog&) = delete;

 private:
  bool initialized_;
};

std::optional<std::u16string> ShowFolderBrowser(const FolderRequest& request) {
  ApartmentForDialog apartment;
  std::u16string folder = CutToLimit(request.initialFolder, kMaxPathChars);
  wchar_t displayName[kWideBufferChars] = L"";
  BROWSEINFOW info{};
  info.hwndOwner = static_cast<HWND>(request.owner);
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = Wide(request.title);
  info.ulFlags = kFolderBrowserFlags;
  info.lpfn = &FolderBrowserCallback;
  info.lParam = reinterpret_cast<LPARAM>(&folder);
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (chosen == nullptr) return std::nullopt;
  wchar_t path[kWideBufferChars] = L"";
  const bool hasPath = SHGetPathFromIDListW(chosen, path) != FALSE;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(chosen);
    allocator->Release();
  }
  // An item without a file-system path (such as a printer) is no folder to watch.
  if (!hasPath || path[0] == L'\0') return std::nullopt;
  return FromWide(path);
}

class Win32Dialogs final : public Dialogs {
 public:
  std::optional<OpenFileAnswer> OpenFile(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::u16string> BrowseFolder(const FolderRequest& request) override {
    return ShowFolderBrowser(request);
  }
};

}  // namespace

Dialogs& RealDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

}  // namespace platform
