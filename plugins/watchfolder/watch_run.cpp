#include "watch_run.h"

#include <array>

#include "contract/clip_info.h"
#include "contract/module_files.h"
#include "contract/trace_levels.h"
#include "folder_choice.h"
#include "hostlib/corvana.h"
#include "platform/limits.h"
#include "platform/text.h"
#include "scan.h"

namespace watchfolder {
namespace {

constexpr std::array<std::u16string_view, 4> kMediaPatterns = {u"*.mxf", u"*.avi", u"*.dif", u"*.m2v"};
// The settings file's time must lie after every file that was there before a first run.
constexpr std::uint32_t kFirstRunPauseMs = 100;

void TraceFailure(const char16_t* format, std::u16string_view text) {
  const std::u16string terminated(text);
  HostTrace(contract::kTraceCategory, contract::kTraceFailure, format, terminated.c_str());
}

bool WriteFolder(platform::Profile& profile, const WatchRun& run) {
  return profile.WriteString(run.settings, contract::kSettingsSection, contract::kStartupPathKey, run.folder);
}

// The clip list must be gone: sections of an earlier run would be imported again with this run's.
bool ClipListRemoved(platform::Files& files, std::u16string_view clipList) {
  files.Remove(clipList);
  return !files.Attributes(clipList).has_value();
}

// The settings file's time, read twice around "TimeH" as the settings were always stored. False, with
// the previous time written back, when any step fails.
bool StoreNewWatchTime(platform::System& system, const WatchRun& run) {
  bool stored = WriteFolder(system.profile, run);
  std::optional<WatchTime> first = stored ? SettingsFileTime(system.files, run.settings) : std::nullopt;
  stored = first && WriteWatchTimeHigh(system.profile, run.settings, first->high);
  std::optional<WatchTime> second = stored ? SettingsFileTime(system.files, run.settings) : std::nullopt;
  stored = second && WriteWatchTime(system.profile, run.settings, *second);
  if (!stored) {
    TraceFailure(u"cannot store the watch time in %s\r\n", run.settings);
    WriteWatchTime(system.profile, run.settings, run.watchTime);
  }
  return stored;
}

contract::ClipInfo ClipOf(const std::u16string& fullPath, std::int32_t number) {
  contract::ClipInfo clip;
  clip.routing = u"V";
  for (int channel = 1; channel <= 4; ++channel) {
    clip.routing += u'A';
    clip.routing += platform::FormatInt(channel);
  }
  char16_t part[platform::kWideBufferChars] = {};
  SplitDirectory(part, fullPath.c_str());
  clip.path = part;
  SplitFileName(part, fullPath.c_str());
  clip.filename = part;
  clip.name = clip.filename;
  clip.number = number;
  clip.mode = u"IMPORT";
  return clip;
}

// Every new file of each pattern as the next clip; false when a pattern could not be searched or a clip
// could not be written.
bool ListNewClips(platform::System& system, const WatchRun& run) {
  bool complete = true;
  std::int32_t number = 0;
  for (std::u16string_view pattern : kMediaPatterns) {
    const ScanResult scan = ScanPattern(system.files, run.folder, pattern, run.watchTime);
    complete = complete && scan.searched;
    for (const std::u16string& path : scan.collected) {
      const contract::ClipInfo clip = ClipOf(path, number);
      if (contract::SaveClipInfo(system.profile, run.clipList, &clip, contract::ClipInfoWriter::Fennick)) {
        ++number;
      } else {
        complete = false;
        TraceFailure(u"cannot write the clip of %s\r\n", path);
      }
    }
  }
  return complete;
}

}  // namespace

std::int32_t RunWatchFolder(platform::System& system, const WatchRun& run) {
  if (run.clipList.empty() || run.settings.empty()) {
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"no place for the clip list beside the module\r\n");
    return 1;
  }
  if (!ClipListRemoved(system.files, run.clipList)) {
    TraceFailure(u"cannot delete %s\r\n", run.clipList);
    return 1;
  }
  ReadWatchTime(system.profile, run.settings, run.watchTime);
  TraceWatchTime(run.watchTime);
  if (run.watchTime.high == 0) {
    WriteFolder(system.profile, run);
    system.clock.Sleep(kFirstRunPauseMs);
    if (const auto time = SettingsFileTime(system.files, run.settings)) run.watchTime = *time;
    TraceWatchTime(run.watchTime);
  }
  const platform::WindowHandle owner = FindHostMainWindow(system.windows);
  if (!ChooseWatchFolder(system.dialogs, run.folder, owner, run.title)) return 1;
  // Stored before the scan, so that a file that arrives during the scan is offered again next time.
  const bool newTimeStored = StoreNewWatchTime(system, run);

  // A folder that is missing or cannot be read lists nothing now; its files must still come next time.
  // One too long to search is refused by the scan itself.
  const std::u16string everything = run.folder + u"*";
  const bool readable =
      !platform::FitsLimit(everything, platform::kMaxPathChars) || system.files.FindFirst(everything).has_value();
  if (!readable) TraceFailure(u"cannot read the watch folder %s\r\n", run.folder);
  const bool complete = readable && ListNewClips(system, run);
  if (!complete && newTimeStored) WriteWatchTime(system.profile, run.settings, run.watchTime);
  return 1;
}

}  // namespace watchfolder
