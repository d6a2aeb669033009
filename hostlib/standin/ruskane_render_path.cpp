// Stand-in Ruskane: the default render directory, as the stand-in host sets it.
#include <optional>
#include <string>

#include "hostlib/ruskane.h"
#include "hostlib/standin.h"
#include "platform/limits.h"
#include "platform/path.h"

namespace {
std::optional<std::u16string>& RenderPath() {
  static std::optional<std::u16string> path;
  return path;
}
}  // namespace

extern "C" RUSKANE_API void RuskaneStandInSetRenderPath(const char16_t* directory) {
  try {
    if (directory == nullptr) {
      RenderPath().reset();
      return;
    }
    std::u16string path = directory;
    // The host reports its render directory with a final separator; callers append to it directly.
    if (!path.empty() && !platform::EndsWithSeparator(path)) path.push_back(platform::PathSeparator());
    RenderPath() = path;
  } catch (...) {
    RenderPath().reset();
  }
}

extern "C" RUSKANE_API int QueryDefaultRenderPath(char16_t* destination) {
  const auto& path = RenderPath();
  // A directory that does not fit the buffer with its terminator is reported as unavailable.
  if (destination == nullptr || !path.has_value() || !platform::FitsLimit(*path, platform::kMaxTextChars)) return 0;
  path->copy(destination, path->size());
  destination[path->size()] = u'\0';
  return 1;
}
