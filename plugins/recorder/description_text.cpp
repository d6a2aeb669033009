#include "description_text.h"

#include <array>

namespace recorder {

std::vector<int> FolderNumbersIn(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  // One pass over every four-character window, so a 4096-byte text costs the same for all 500 numbers.
  std::array<bool, kLastFolderNumber + 1> mentioned{};
  for (std::size_t at = 0; at + 4 <= text.size(); ++at) {
    int value = 0;
    std::size_t digit = 0;
    for (; digit < 4 && text[at + digit] >= '0' && text[at + digit] <= '9'; ++digit) {
      value = value * 10 + (text[at + digit] - '0');
    }
    if (digit == 4 && value <= kLastFolderNumber) mentioned[static_cast<std::size_t>(value)] = true;
  }
  std::vector<int> numbers;
  for (int number = kFirstFolderNumber; number <= kLastFolderNumber; ++number) {
    if (mentioned[static_cast<std::size_t>(number)]) numbers.push_back(number);
  }
  return numbers;
}

}  // namespace recorder
