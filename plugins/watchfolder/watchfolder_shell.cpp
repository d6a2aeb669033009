#include "watchfolder_shell.h"

#include "contract/entry_points.h"
#include "hostlib/corvana.h"

namespace watchfolder {

WatchFolderState& State() {
  static WatchFolderState state;
  return state;
}

void StartWatchFolder(platform::Profile& profile, std::u16string_view modulePath, WatchFolderState& state) {
  state.files = contract::FormModuleFiles(modulePath, u"\\fennick", u"fennick.ini");
  state.folder = contract::ReadStartupPath(profile, state.files);
  HostTrace(69, 13, u"%s => szStartupPath: %s\n", state.files.settings.c_str(), state.folder.c_str());
}

}  // namespace watchfolder
