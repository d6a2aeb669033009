#pragma once
// Fennick's module state around the scan: its two files beside the module and the watch folder, read
// from the settings file at start-up and kept in memory from one run to the next.
#include <string>
#include <string_view>

#include "contract/module_files.h"
#include "platform/profile.h"

namespace watchfolder {

struct WatchFolderState {
  contract::ModuleFiles files;
  std::u16string folder;  // at most 259 characters
};

WatchFolderState& State();

// Forms the two paths from the module path and reads the watch folder (empty when the file, key or path is
// missing). Traces the settings path and the folder.
void StartWatchFolder(platform::Profile& profile, std::u16string_view modulePath, WatchFolderState& state);

}  // namespace watchfolder
