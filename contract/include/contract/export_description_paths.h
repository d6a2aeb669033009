#pragma once
// Path tests the send plug-ins apply to what they read from the registry and the export description.
#include <string>
#include <string_view>

#include "platform/files.h"

namespace contract {

// True when the platform's file search finds an entry for `path` and it is not a directory. An empty
// path is never a file. Blocks for one directory lookup.
bool FileExists(platform::Files& files, std::u16string_view path);

// Drive and directory of `path` without the directory's final separator: "C:\\Data\\enc.exe" gives
// "C:\\Data", "C:\\enc.exe" gives "C:", a bare file name gives empty text.
std::u16string DirectoryOf(std::u16string_view path);

}  // namespace contract
