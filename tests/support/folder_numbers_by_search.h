#pragma once
// The plain reading of which folder numbers a recorder list text names: one search for each number's
// four digits. The trusted path the one-pass search is held against, and timed against.
#include <cstdio>
#include <string_view>
#include <vector>

namespace vorlane::test {

inline std::vector<int> FolderNumbersBySearch(std::string_view text, int first, int last) {
  text = text.substr(0, text.find('\0'));
  std::vector<int> numbers;
  for (int number = first; number <= last; ++number) {
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04d", number);
    if (text.find(std::string_view(digits, 4)) != std::string_view::npos) numbers.push_back(number);
  }
  return numbers;
}

}  // namespace vorlane::test
