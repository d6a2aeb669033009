#include "scan.h"

#include "contract/trace_levels.h"
#include "hostlib/corvana.h"
#include "platform/limits.h"

namespace watchfolder {
namespace {

constexpr std::uint32_t kDirectoryAttribute = 0x10;
// Directory, archive and normal: every item of the folder.
constexpr std::uint32_t kAttributeMask = 0xB0;
constexpr int kFilesAndDirectories = 3;
constexpr std::uint64_t kSmallestClipBytes = 4096;

void TraceDetail(const char16_t* format, const std::u16string& path, std::uint64_t size) {
  HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, format, path.c_str(),
            static_cast<std::int32_t>(static_cast<std::uint32_t>(size)));
}

void Inspect(const HostFindData& data, const std::u16string& path, ScanContext& scan) {
  if ((data.attributes & kDirectoryAttribute) != 0) return;
  if (!platform::FitsLimit(path, platform::kMaxPathChars)) {
    // Neither its attributes nor its clip's path could hold it.
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"skip Clip : %s (path too long) \r\n", path.c_str());
    return;
  }
  HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, u"Clip : %s \r\n", path.c_str());
  // Time and size come from the file itself, not from the listing.
  const std::optional<platform::FileEntry> file = scan.files.Attributes(path);
  if (!file) {
    // Gone since the listing: nothing to list. Still there but not examined: the run must not move its
    // time past a file it could not judge.
    if (scan.files.FindFirst(path)) {
      HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"cannot examine Clip : %s \r\n", path.c_str());
      scan.unexamined = true;
    } else {
      HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, u"gone Clip : %s \r\n", path.c_str());
    }
    return;
  }
  const WatchTime fileTime = WatchTime::Of(file->lastWriteTime);
  TraceWatchTime(scan.window.after);
  HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, u"time New   : %08X%08X \r\n", fileTime.high,
            fileTime.low);
  if (file->lastWriteTime <= scan.window.after.Value()) return;
  if (file->lastWriteTime > scan.window.upTo.Value()) {
    HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, u"next Clip : %s \r\n", path.c_str());
    return;
  }
  if (file->size >= kSmallestClipBytes) {
    scan.collected.push_back(path);
    TraceDetail(u"new Clip : %s (Size : %d) \r\n", path, file->size);
  } else {
    TraceDetail(u"skip Clip : %s (Size : %d) \r\n", path, file->size);
  }
}

}  // namespace

int OnFoundItem(const HostFindData* data, const char16_t* fullPath, std::uintptr_t, void* context) {
  // Called through the host's library: nothing may be thrown back into it.
  try {
    if (data != nullptr && fullPath != nullptr && context != nullptr) {
      Inspect(*data, fullPath, *static_cast<ScanContext*>(context));
    }
  } catch (...) {
  }
  return 1;
}

ScanResult ScanPattern(platform::Files& files, std::u16string_view folder, std::u16string_view pattern,
                       const ScanWindow& window) {
  const std::u16string searchPath = std::u16string(folder) + std::u16string(pattern);
  if (!platform::FitsLimit(searchPath, platform::kMaxPathChars)) {
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"Search path too long : %s\r\n", searchPath.c_str());
    return {};
  }
  HostTrace(contract::kTraceCategory, contract::kTracePattern, u"Searching %s\r\n", searchPath.c_str());
  ScanContext scan{files, window, {}, false};
  EnumerateDirectory(&OnFoundItem, searchPath.c_str(), kAttributeMask, kFilesAndDirectories, &scan);
  return {true, !scan.unexamined, std::move(scan.collected)};
}

}  // namespace watchfolder
