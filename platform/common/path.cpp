#include "platform/path.h"

#include "path_os.h"
#include "platform/text.h"

namespace platform {
namespace {

// Offset just past the last separator or drive, 0 when there is neither.
std::size_t FileNameStart(std::u16string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsPathSeparator(path[i - 1])) return i;
  }
  return detail::DriveLength(path);
}

bool MarkerCharMatches(char16_t pathChar, char16_t markerChar) {
  if (markerChar == u'\\') return IsPathSeparator(pathChar);
  return FoldCase(pathChar) == FoldCase(markerChar);
}

}  // namespace

bool EndsWithSeparator(std::u16string_view path) { return !path.empty() && IsPathSeparator(path.back()); }

std::u16string DriveAndDirectory(std::u16string_view path) {
  return std::u16string(path.substr(0, FileNameStart(path)));
}

std::u16string FileNamePart(std::u16string_view path) { return std::u16string(path.substr(FileNameStart(path))); }

std::size_t FindLastPathMarker(std::u16string_view path, std::u16string_view marker) {
  if (marker.size() > path.size()) return std::u16string_view::npos;
  for (std::size_t at = path.size() - marker.size() + 1; at-- > 0;) {
    std::size_t i = 0;
    while (i < marker.size() && MarkerCharMatches(path[at + i], marker[i])) ++i;
    if (i == marker.size()) return at;
  }
  return std::u16string_view::npos;
}

std::u16string NativeSeparators(std::u16string_view literal) {
  std::u16string out(literal);
  for (char16_t& c : out) {
    if (c == u'\\') c = PathSeparator();
  }
  return out;
}

}  // namespace platform
