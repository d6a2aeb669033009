#pragma once
// The file-open dialog and the folder browser. Windows: the real common dialogs, modal on the calling
// thread. POSIX: answered by the stand-in host (or cancelled when no host answers).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/limits.h"

namespace platform {

struct OpenFileRequest {
  void* owner = nullptr;
  std::u16string title;
  std::u16string filter;          // pairs of display text and pattern, NUL-separated, double-NUL ended
  std::uint32_t filterIndex = 1;
  std::u16string initialFile;     // initial selection (file name buffer content)
  bool multiSelect = false;
  std::uint32_t bufferChars = kWideBufferChars;  // size of the file name buffer
};

struct OpenFileAnswer {
  // The file name buffer as the dialog left it, up to the end of its list: one full path, or (several
  // files) the directory followed by the chosen names; every text ends in a NUL, and the list in an
  // empty text when it fitted. Never longer than the request's buffer.
  std::u16string buffer;
  std::uint32_t filterIndex = 0;  // the filter the dialog ended with
};

// The texts of a file name buffer, in order, up to the first empty one; a last text that is not
// NUL-ended (a buffer filled to its end) is left out.
std::vector<std::u16string> SelectionTexts(std::u16string_view buffer);

struct FolderRequest {
  void* owner = nullptr;
  std::u16string title;
  std::u16string initialFolder;   // selected when the browser opens; empty: none
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Nothing when the user cancels.
  virtual std::optional<OpenFileAnswer> OpenFile(const OpenFileRequest& request) = 0;
  virtual std::optional<std::u16string> BrowseFolder(const FolderRequest& request) = 0;
};

}  // namespace platform
