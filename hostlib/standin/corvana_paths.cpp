// Stand-in Corvana: path splitting and the file test.
#include <string>

#include "hostlib/corvana.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "platform/system.h"

namespace {

// A part that does not fit with its terminator is not cut: a shortened directory or name would name
// another file, so the destination gets the empty text instead.
void StorePart(char16_t* destination, const std::u16string& part) {
  if (destination == nullptr) return;
  if (!platform::FitsLimit(part, platform::kMaxTextChars)) {
    destination[0] = u'\0';
    return;
  }
  part.copy(destination, part.size());
  destination[part.size()] = u'\0';
}

}  // namespace

extern "C" CORVANA_API void SplitDirectory(char16_t* destination, const char16_t* path) {
  try {
    StorePart(destination, path != nullptr ? platform::DriveAndDirectory(path) : std::u16string());
  } catch (...) {
    StorePart(destination, std::u16string());
  }
}

extern "C" CORVANA_API void SplitFileName(char16_t* destination, const char16_t* path) {
  try {
    StorePart(destination, path != nullptr ? platform::FileNamePart(path) : std::u16string());
  } catch (...) {
    StorePart(destination, std::u16string());
  }
}

extern "C" CORVANA_API int HostFileExists(const char16_t* path) {
  if (path == nullptr || *path == u'\0') return 0;
  try {
    const auto entry = platform::RealSystem().files.Attributes(path);
    return entry.has_value() && !entry->isDirectory ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
