#pragma once
// POSIX: reaching files whose names Windows would treat as equal whatever their case.
#include <string>

namespace platform {

// The path as it exists on disk: unchanged when it exists as spelled; otherwise each component that
// does not exist as spelled is looked up in its directory without regard to case (as Wine does for
// Windows programs). Components that do not exist at all keep the spelling given, so new files are
// created under that name. Reads directories; never fails.
std::string ResolvePathCase(const std::string& utf8Path);

}  // namespace platform
