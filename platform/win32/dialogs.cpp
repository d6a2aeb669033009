// Windows: the common open-file dialog (GetOpenFileNameW), modal on the calling thread; the folder browser
// arrives with the plug-in that opens it, until then it is cancelled.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "real_parts.h"
#include "wide.h"

namespace platform {
namespace {

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
  std::optional<std::u16string> BrowseFolder(const FolderRequest&) override { return std::nullopt; }
};

}  // namespace

Dialogs& RealDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

}  // namespace platform
