#pragma once
// The scan of one media pattern in the watch folder, through the host's directory enumeration.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hostlib/pindle.h"
#include "platform/files.h"
#include "watch_time.h"

namespace watchfolder {

// The last-write times a run lists: later than the stored watch time and no later than the run's own
// moment, so that a file written while the run scans is left whole to the next run.
struct ScanWindow {
  WatchTime after;
  WatchTime upTo;
};

// What one pattern's scan hands from item to item: the files that are new, in the order found.
struct ScanContext {
  platform::Files& files;
  ScanWindow window;
  std::vector<std::u16string> collected;
  bool unexamined = false;  // a file still there whose attributes could not be read
};

struct ScanResult {
  bool searched = false;  // false: the search path would not fit 259 characters
  bool complete = false;  // false: a file of the folder could not be examined
  std::vector<std::u16string> collected;
};

// Traces "Searching" with the folder text followed by `pattern` and lists, through EnumerateDirectory
// (mask 0xB0, mode 3), every file there whose last-write time lies in `window` and that is at least 4096
// bytes long. Every such file is collected, however many. Blocks on the directory and on one attribute
// read per item.
ScanResult ScanPattern(platform::Files& files, std::u16string_view folder, std::u16string_view pattern,
                       const ScanWindow& window);

// The enumeration's callback for one item; `context` is a ScanContext. A directory is never a clip;
// a file whose attributes cannot be read (it vanished) is skipped, and so, traced as a failure, is one
// whose full path does not fit 259 characters. Returns 1 to go on.
int OnFoundItem(const HostFindData* data, const char16_t* fullPath, std::uintptr_t unused, void* context);

}  // namespace watchfolder
