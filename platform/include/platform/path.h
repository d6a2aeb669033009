#pragma once
// Path helpers. The only place where a separator is spelled: "\\" on Windows, "/" on POSIX.
// Both builds accept "/" as a separator when splitting; Windows also accepts "\\".
#include <string>
#include <string_view>

namespace platform {

// The separator this build writes between path components.
char16_t PathSeparator();
bool IsPathSeparator(char16_t c);

// True when the text ends in a separator ("\\" or "/" on Windows; "/" on POSIX).
bool EndsWithSeparator(std::u16string_view path);

// Drive and directory of a path, the directory ending in its separator ("C:\\a\\" of "C:\\a\\b.txt";
// "/a/" of "/a/b.txt"); empty when the path has neither.
std::u16string DriveAndDirectory(std::u16string_view path);

// The file-name part: what follows the last separator (and, on Windows, a drive's ":").
std::u16string FileNamePart(std::u16string_view path);

// The last occurrence of `marker` (written with "\\" as its separator, e.g. "\\moltrin") in `path`, found
// without regard to case, with the marker's separator matching this build's separators. Returns the
// offset or npos.
std::size_t FindLastPathMarker(std::u16string_view path, std::u16string_view marker);

// Replace every "\\" of a literal with this build's separator (no-op on Windows), so that literals
// such as "Dovrel\\" serve both builds.
std::u16string NativeSeparators(std::u16string_view literal);

}  // namespace platform
