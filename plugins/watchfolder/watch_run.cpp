#include "watch_run.h"

#include <array>
#include <optional>

#include "contract/clip_info.h"
#include "contract/clip_list.h"
#include "contract/module_files.h"
#include "contract/trace_levels.h"
#include "folder_choice.h"
#include "hostlib/corvana.h"
#include "platform/limits.h"
#include "platform/text.h"
#include "receive_frame.h"
#include "scan.h"

namespace watchfolder {
namespace {

constexpr std::array<std::u16string_view, 4> kMediaPatterns = {u"*.mxf", u"*.avi", u"*.dif", u"*.m2v"};
// Longer than a tick of the file system's clock: a file stamped no later than a moment read before the
// pause was written before the pause ended. A volume that keeps whole (even) seconds may stamp a write
// with a moment up to two seconds ahead.
constexpr std::uint32_t kSettlePauseMs = 100;
constexpr std::uint32_t kCoarseSettlePauseMs = 2000;
constexpr platform::FileTime kTicksPerSecond = 10'000'000;

void TraceFailure(const char16_t* format, std::u16string_view text) {
  const std::u16string terminated(text);
  HostTrace(contract::kTraceCategory, contract::kTraceFailure, format, terminated.c_str());
}

// Takes back what a failed run wrote of its clip list. False, to end the run's listing.
bool Discarded(platform::Files& files, std::u16string_view clipList) {
  receive_frame::RemoveClipList(files, clipList);
  return false;
}

bool WriteFolder(platform::Profile& profile, const WatchRun& run) {
  return profile.WriteString(run.settings, contract::kSettingsSection, contract::kStartupPathKey, run.folder);
}

// The moment of this run as the file system stamps it: the settings file written again, whether or not
// a value changed, and its time read back. Nothing when the settings file cannot be written, since the
// time could then not move on.
std::optional<WatchTime> TakeMoment(platform::System& system, const WatchRun& run) {
  WriteFolder(system.profile, run);
  if (!system.profile.Touch(run.settings)) return std::nullopt;
  return SettingsFileTime(system.files, run.settings);
}

contract::ClipInfo ClipOf(const std::u16string& fullPath, std::int32_t number) {
  contract::ClipInfo clip;
  clip.routing = u"VA1A2A3A4";  // the video and audio channels 1 to 4
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

// Every file of each pattern written within `window`, each as the next clip, into the clip list in one
// write; false, with the clip list emptied again, when a pattern could not be searched or the clips could
// not be written: a list that lacks some files must not be imported as if it held them all.
bool ListNewClips(platform::System& system, const WatchRun& run, const ScanWindow& window) {
  contract::ClipListWriter clips(system.profile, run.clipList);
  std::int32_t number = 0;
  std::u16string last;
  for (std::u16string_view pattern : kMediaPatterns) {
    const ScanResult scan = ScanPattern(system.files, run.folder, pattern, window);
    if (!scan.searched || !scan.complete) return Discarded(system.files, run.clipList);
    for (const std::u16string& path : scan.collected) {
      if (!clips.Add(contract::ClipInfoSection(ClipOf(path, number), contract::ClipInfoWriter::Fennick))) {
        TraceFailure(u"cannot write the clip of %s\r\n", path);
        return Discarded(system.files, run.clipList);
      }
      last = path;
      ++number;
    }
  }
  if (!clips.Flush()) {
    TraceFailure(u"cannot write the clip of %s\r\n", last);
    return Discarded(system.files, run.clipList);
  }
  return true;
}

}  // namespace

std::int32_t RunWatchFolder(platform::System& system, const WatchRun& run) {
  if (run.clipList.empty() || run.settings.empty()) {
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"no place for the clip list beside the module\r\n");
    return 1;
  }
  // The host would import an earlier run's clips again.
  if (!receive_frame::RemoveClipList(system.files, run.clipList)) return 0;
  ReadWatchTime(system.profile, run.settings, run.watchTime);
  if (run.watchTime.high == 0) {
    // A settings file that could not be read just then reads as one without a time; taken for a first
    // run, it would skip every file since the stored time for good. Only a file that reads holds none.
    if (system.files.Attributes(run.settings) && !system.files.ReadBytes(run.settings, 0)) {
      TraceFailure(u"cannot read the watch time in %s\r\n", run.settings);
      return 1;
    }
    ReadWatchTime(system.profile, run.settings, run.watchTime);
  }
  TraceWatchTime(run.watchTime);
  if (run.watchTime.high == 0) {
    if (const std::optional<WatchTime> first = TakeMoment(system, run)) run.watchTime = *first;
    system.clock.Sleep(kSettlePauseMs);
    TraceWatchTime(run.watchTime);
  }
  const platform::WindowHandle owner = FindHostMainWindow(system.windows);
  if (!ChooseWatchFolder(system.dialogs, run.folder, owner, run.title)) return 1;

  // Nothing is stored until the clip list holds the run's clips: a run that fails or dies before then
  // leaves the stored time as it was, and the next run offers the same files.
  const std::optional<WatchTime> moment = TakeMoment(system, run);
  if (!moment) {
    TraceFailure(u"cannot store the watch time in %s\r\n", run.settings);
    return 1;
  }
  // Every file stamped up to the moment is in place before the scan begins.
  system.clock.Sleep(moment->Value() % kTicksPerSecond == 0 ? kCoarseSettlePauseMs : kSettlePauseMs);

  // A folder that is missing or cannot be read lists nothing now; its files must still come next time.
  // One too long to search is refused by the scan itself.
  const std::u16string everything = run.folder + u"*";
  if (platform::FitsLimit(everything, platform::kMaxPathChars) && !system.files.FindFirst(everything).has_value()) {
    TraceFailure(u"cannot read the watch folder %s\r\n", run.folder);
    return 1;
  }
  if (!ListNewClips(system, run, {run.watchTime, *moment})) return 1;
  if (!WriteWatchTime(system.profile, run.settings, *moment)) {
    // Imported now and offered again next time, the clips would come twice.
    TraceFailure(u"cannot store the watch time in %s\r\n", run.settings);
    Discarded(system.files, run.clipList);
  }
  return 1;
}

}  // namespace watchfolder
