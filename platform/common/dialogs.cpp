// Both builds: reading the file name buffer that an open-file dialog hands back.
#include "platform/dialogs.h"

namespace platform {

std::vector<std::u16string> SelectionTexts(std::u16string_view buffer) {
  std::vector<std::u16string> texts;
  while (!buffer.empty()) {
    const std::size_t end = buffer.find(u'\0');
    if (end == 0 || end == std::u16string_view::npos) break;
    texts.emplace_back(buffer.substr(0, end));
    buffer.remove_prefix(end + 1);
  }
  return texts;
}

}  // namespace platform
