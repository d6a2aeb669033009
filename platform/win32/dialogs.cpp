// Windows: the common file dialog and the folder browser, modal on the calling thread.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "browser_selection.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "real_parts.h"
#include "wide.h"

namespace platform {
namespace {

// BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE
constexpr UINT kFolderBrowserFlags = 0x75;

// What the browser's callback works on: the folder to open on, and the path of the selected item as the
// browser last reported it.
struct BrowserState {
  std::u16string folder;
  std::u16string selected;
};

// The browser's own notifications; `data` is the BrowserState. It returns 0 for every message.
int CALLBACK FolderBrowserCallback(HWND browser, UINT message, LPARAM parameter, LPARAM data) {
  auto& state = *reinterpret_cast<BrowserState*>(data);
  if (message == BFFM_INITIALIZED) {
    // A folder ending in a separator would not be found for selection.
    if (EndsWithSeparator(state.folder)) state.folder.pop_back();
    if (!state.folder.empty()) SelectBrowserFolder(browser, state.folder, [&state] { return state.selected; });
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[kWideBufferChars] = L"";
    if (!SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(parameter), path)) path[0] = L'\0';
    state.selected = FromWide(path);
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
  BrowserState state{CutToLimit(request.initialFolder, kMaxPathChars), {}};
  wchar_t displayName[kWideBufferChars] = L"";
  BROWSEINFOW info{};
  info.hwndOwner = static_cast<HWND>(request.owner);
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = Wide(request.title);
  info.ulFlags = kFolderBrowserFlags;
  info.lpfn = &FolderBrowserCallback;
  info.lParam = reinterpret_cast<LPARAM>(&state);
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

// The buffer up to and with the empty text that ends its list, or all of it when the dialog filled it
// to its end.
std::u16string SelectionPart(const std::vector<wchar_t>& buffer) {
  for (std::size_t at = 0; at + 1 < buffer.size(); ++at) {
    if (buffer[at] == L'\0' && buffer[at + 1] == L'\0') return FromWide(buffer.data(), at + 2);
  }
  return FromWide(buffer.data(), buffer.size());
}

std::optional<OpenFileAnswer> ShowOpenFile(const OpenFileRequest& request) {
  const std::size_t chars = std::max<std::size_t>(request.bufferChars, 2);
  std::vector<wchar_t> buffer(chars, L'\0');
  // An initial file that does not fit with its terminator is left out rather than cut to another name.
  if (request.initialFile.size() < chars) {
    std::copy(request.initialFile.begin(), request.initialFile.end(), buffer.begin());
  }
  const std::u16string filter = request.filter;
  const std::u16string title = request.title;

  OPENFILENAMEW dialog{};
  // The size of the structure's first version, which every Windows accepts.
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = static_cast<HWND>(request.owner);
  dialog.lpstrFilter = filter.empty() ? nullptr : Wide(filter);
  dialog.nFilterIndex = request.filterIndex;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(chars);
  dialog.lpstrTitle = title.empty() ? nullptr : Wide(title);
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_READONLY;
  if (request.multiSelect) dialog.Flags |= OFN_ALLOWMULTISELECT;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return OpenFileAnswer{SelectionPart(buffer), dialog.nFilterIndex};
}

class Win32Dialogs final : public Dialogs {
 public:
  std::optional<OpenFileAnswer> OpenFile(const OpenFileRequest& request) override { return ShowOpenFile(request); }
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
