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
// user confirm the folder, takes the run's moment from the settings file's time, and lists the "*.mxf",
// "*.avi", "*.dif" and "*.m2v" files written after the watch time and no later than the moment as
// "Clip0", "Clip1" ... Only once they are all in the clip list is the moment stored as the next watch
// time: when the folder cannot be read, a search path does not fit, a clip cannot be written or the
// time cannot be stored, the clip list is emptied again and the stored time stays, so that the next run
// offers the same files. Returns 1, or 0 when an earlier clip list can be neither deleted nor emptied.
// Blocks on the files, a 100 ms pause (2 s where the settings file keeps whole seconds; one more on a
// first run), and the browser.
std::int32_t RunWatchFolder(platform::System& system, const WatchRun& run);

}  // namespace watchfolder
