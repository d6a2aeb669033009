// Arbitrary bytes as the file name buffer an open-file dialog hands back, in a heap block of exactly its
// size so that the sanitizers see any read past it. The texts, each followed by its zero, must be the
// buffer's start, up to the empty text or the end that closes the list.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t units = size / 2;
  std::unique_ptr<char16_t[]> buffer(new char16_t[units == 0 ? 1 : units]);
  std::memcpy(buffer.get(), data, units * 2);
  const std::u16string_view view(buffer.get(), units);
  std::u16string joined;
  for (const std::u16string& text : platform::SelectionTexts(view)) {
    if (text.empty() || text.find(u'\0') != std::u16string::npos) std::abort();
    joined += text;
    joined += u'\0';
  }
  if (!view.starts_with(joined)) std::abort();
  // What follows is the closing zero, or a last text that no zero ends.
  const std::u16string_view rest = view.substr(joined.size());
  if (!rest.empty() && rest.front() != u'\0' && rest.find(u'\0') != std::u16string_view::npos) std::abort();
  return 0;
}
