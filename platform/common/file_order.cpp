#include "file_order.h"

#include <algorithm>

#include "platform/text.h"

namespace platform {

bool ComesBefore(const FileEntry& a, const FileEntry& b) {
  const std::size_t common = std::min(a.name.size(), b.name.size());
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t x = FoldCase(a.name[i]), y = FoldCase(b.name[i]);
    if (x != y) return x < y;
  }
  if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
  return a.name < b.name;
}

void SortByName(std::vector<FileEntry>& entries) { std::sort(entries.begin(), entries.end(), ComesBefore); }

}  // namespace platform
