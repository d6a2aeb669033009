// POSIX: case-insensitive lookup of path components.
#include "path_case.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>
#include <string_view>

#include "platform/text.h"

namespace platform {
namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

// The entry of `directory` equal to `name` without regard to case; the byte-wise smallest when
// several are, so the choice does not depend on directory order.
std::optional<std::string> FindNoCase(const std::string& directory, std::string_view name) {
  DIR* dir = opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return std::nullopt;
  const std::u16string wanted = Utf8ToUtf16(name);
  std::optional<std::string> found;
  while (const dirent* entry = readdir(dir)) {
    std::string_view candidate(entry->d_name);
    if (!EqualsNoCase(Utf8ToUtf16(candidate), wanted)) continue;
    if (!found || candidate < *found) found = std::string(candidate);
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string ResolvePathCase(const std::string& utf8Path) {
  if (utf8Path.empty() || Exists(utf8Path)) return utf8Path;

  std::string resolved;
  std::size_t pos = 0;
  if (utf8Path[0] == '/') {
    resolved = "/";
    pos = 1;
  }
  while (pos < utf8Path.size()) {
    std::size_t end = utf8Path.find('/', pos);
    if (end == std::string::npos) end = utf8Path.size();
    const std::string_view component(utf8Path.data() + pos, end - pos);
    const std::string directory = resolved;
    std::string candidate = resolved + std::string(component);
    if (!component.empty() && component != "." && component != ".." && !Exists(candidate)) {
      std::optional<std::string> real = FindNoCase(directory, component);
      // Once a component is missing nothing below it can exist: the rest keeps its spelling.
      if (!real) return candidate + utf8Path.substr(end);
      candidate = directory + *real;
    }
    resolved = candidate;
    if (end < utf8Path.size()) resolved += '/';
    pos = end + 1;
  }
  return resolved;
}

}  // namespace platform
