#include "folder_choice.h"

#include "contract/trace_levels.h"
#include "hostlib/corvana.h"
#include "platform/limits.h"
#include "platform/path.h"

namespace watchfolder {

platform::WindowHandle FindHostMainWindow(platform::Windows& windows) {
  if (platform::WindowHandle main = windows.FindTopLevel(u"PEXA_BLUE", std::nullopt)) return main;
  return windows.Desktop();
}

bool ChooseWatchFolder(platform::Dialogs& dialogs, std::u16string& folder, platform::WindowHandle owner,
                       std::u16string_view title) {
  if (platform::EndsWithSeparator(folder)) folder.pop_back();
  platform::FolderRequest request;
  request.owner = owner;
  request.title = std::u16string(title);
  request.initialFolder = folder;
  std::optional<std::u16string> chosen = dialogs.BrowseFolder(request);
  if (!chosen || chosen->empty()) return false;
  if (!platform::EndsWithSeparator(*chosen)) *chosen += platform::PathSeparator();
  if (!platform::FitsLimit(*chosen, platform::kMaxPathChars)) {
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"Watchfolder too long : %s\r\n", chosen->c_str());
    return false;
  }
  folder = std::move(*chosen);
  return true;
}

}  // namespace watchfolder
