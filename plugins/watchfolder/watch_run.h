#pragma once
// Fennick's run: every media file of the watch folder that arrived since the previous run becomes a
// clip of the clip list file.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "watch_time.h"

namespace watchfolder {

struct WatchRun {
  std::u16string_view clipList;  // beside the module; empty: no safe place was found
  std::u16string_view settings;
  std::u16string_view title;     // of the folder browser
  std::u16string& folder;        // the folder text, kept from run to run
  WatchTime& watchTime;          // the halves in memory, kept from run to run
};

// Deletes the clip list, reads the watch time (a first run takes the settings file's own time), lets the
// user confirm the folder, stores the new watch time and lists the new "*.mxf", "*.avi", "*.dif" and
// "*.m2v" files as "Clip0", "Clip1" ... When the folder cannot be read, a search path does not fit or a
// clip cannot be written, the previous watch time is stored back, so that the next run offers the same
// files. A clip list that cannot be deleted ends the run before anything else. Returns 1 on every path.
// Blocks on the files, a 100 ms pause on a first run, and the browser.
std::int32_t RunWatchFolder(platform::System& system, const WatchRun& run);

}  // namespace watchfolder
