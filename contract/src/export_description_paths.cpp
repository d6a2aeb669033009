#include "contract/export_description_paths.h"

#include "platform/path.h"

namespace contract {

bool FileExists(platform::Files& files, std::u16string_view path) {
  if (path.empty()) return false;
  const auto entry = files.FindFirst(path);
  return entry && !entry->isDirectory;
}

std::u16string DirectoryOf(std::u16string_view path) {
  std::u16string directory = platform::DriveAndDirectory(path);
  if (platform::EndsWithSeparator(directory)) directory.pop_back();
  return directory;
}

}  // namespace contract
