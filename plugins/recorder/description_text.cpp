#include "description_text.h"

#include <array>

namespace recorder {

std::vector<int> FolderNumbersIn(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<int> numbers;
  for (int number = kFirstFolderNumber; number <= kLastFolderNumber; ++number) {
    const std::array<char, 4> digits{static_cast<char>('0' + number / 1000), static_cast<char>('0' + number / 100 % 10),
                                     static_cast<char>('0' + number / 10 % 10), static_cast<char>('0' + number % 10)};
    if (text.find(std::string_view(digits.data(), digits.size())) != std::string_view::npos) numbers.push_back(number);
  }
  return numbers;
}

}  // namespace recorder
