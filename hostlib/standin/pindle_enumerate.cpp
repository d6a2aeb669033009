// Stand-in Pindle: directory enumeration over the platform's file search.
#include <algorithm>
#include <string>

#include "hostlib/pindle.h"
#include "platform/path.h"
#include "platform/system.h"

namespace {

constexpr std::uint32_t kDirectoryAttribute = 0x10;
constexpr std::uint32_t kArchiveAttribute = 0x20;
constexpr int kModeFiles = 1;
constexpr int kModeDirectories = 2;

HostFileTime Split(std::uint64_t time) {
  return {static_cast<std::uint32_t>(time), static_cast<std::uint32_t>(time >> 32)};
}

// The platform's search tells only directory or file; a file carries the archive bit, as files that
// were written since their last backup do on Windows.
HostFindData FindDataOf(const platform::FileEntry& entry) {
  HostFindData data{};
  data.attributes = entry.isDirectory ? kDirectoryAttribute : kArchiveAttribute;
  data.creationTime = data.lastAccessTime = data.lastWriteTime = Split(entry.lastWriteTime);
  data.sizeHigh = static_cast<std::uint32_t>(entry.size >> 32);
  data.sizeLow = static_cast<std::uint32_t>(entry.size);
  const std::size_t length = std::min<std::size_t>(entry.name.size(), std::size(data.fileName) - 1);
  entry.name.copy(data.fileName, length);
  return data;
}

}  // namespace

extern "C" PINDLE_API int EnumerateDirectory(EnumerateCallback callback, const char16_t* directoryPattern,
                                             std::uint32_t attributeMask, int mode, void* context) {
  if (callback == nullptr || directoryPattern == nullptr) return 0;
  int calls = 0;
  try {
    const std::u16string pattern = directoryPattern;
    const std::u16string directory = platform::DriveAndDirectory(pattern);
    for (const platform::FileEntry& entry : platform::RealSystem().files.Find(pattern)) {
      if (entry.name == u"." || entry.name == u"..") continue;
      if (!(mode & (entry.isDirectory ? kModeDirectories : kModeFiles))) continue;
      // A name that does not fit the find data would be reported cut, naming another file: leave it out.
      if (entry.name.size() >= std::size(HostFindData{}.fileName)) continue;
      const HostFindData data = FindDataOf(entry);
      if (attributeMask != 0 && (data.attributes & attributeMask) == 0) continue;
      const std::u16string fullPath = directory + entry.name;
      ++calls;
      if (callback(&data, fullPath.c_str(), 0, context) == 0) break;
    }
  } catch (...) {
  }
  return calls;
}
