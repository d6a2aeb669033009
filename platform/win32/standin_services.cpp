// Windows: the real registry serves the plug-ins, and the real dialogs are driven (dialog_driver.h).
#include "platform/standin_services.h"

#include <windows.h>

namespace platform {

bool UseRegistryFile(const std::u16string&) { return false; }

std::u16string CommandLineText(const char* argument) {
  if (argument == nullptr || *argument == '\0') return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, argument, -1, nullptr, 0);
  if (length <= 1) return {};
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, argument, -1, reinterpret_cast<wchar_t*>(text.data()), length);
  text.resize(static_cast<std::size_t>(length - 1));
  return text;
}

}  // namespace platform
