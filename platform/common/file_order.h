#pragma once
// The order in which a file search yields its entries on both builds.
#include <vector>

#include "platform/files.h"

namespace platform {

// Sorts by name without regard to case, as NTFS keeps its directories; names equal but for case
// follow in code-unit order, so the result never depends on the directory's own order.
void SortByName(std::vector<FileEntry>& entries);
// Whether `a` comes before `b` in that order.
bool ComesBefore(const FileEntry& a, const FileEntry& b);

}  // namespace platform
