#pragma once
// The recorder's description files (".dlx", ".dlt", ".cdt"): which recorder folders a list file names.
#include <string_view>
#include <vector>

namespace recorder {

// The folder numbers a list file may name: 0001 to 0500.
inline constexpr int kFirstFolderNumber = 1;
inline constexpr int kLastFolderNumber = 500;

// The folder numbers from 1 to 500, ascending, whose four digits ("%04d") occur anywhere in `text` up
// to its first NUL byte, also inside a longer run of digits.
std::vector<int> FolderNumbersIn(std::string_view text);

}  // namespace recorder
