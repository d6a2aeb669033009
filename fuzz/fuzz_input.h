#pragma once
// Bytes of a fuzz input taken one at a time; an exhausted input gives zeros.
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlane::fuzz {

class Input {
 public:
  explicit Input(std::string_view bytes) : bytes_(bytes) {}
  bool Empty() const { return bytes_.empty(); }
  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return b;
  }
  // Up to `most` characters out of `letters`.
  std::u16string Text(std::u16string_view letters, int most) {
    std::u16string text;
    for (int n = Byte() % (most + 1); n > 0; --n) text += letters[Byte() % letters.size()];
    return text;
  }

 private:
  std::string_view bytes_;
};

}  // namespace vorlane::fuzz
