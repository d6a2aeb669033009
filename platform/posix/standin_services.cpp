// POSIX: the stand-in host plays the operating system's registry and dialogs.
#include "platform/standin_services.h"

#include <cstdlib>

#include "platform/standin_host.h"
#include "platform/text.h"

namespace platform {

bool UseRegistryFile(const std::u16string& path) {
  return setenv(kRegistryFileVariable, Utf16ToUtf8(path).c_str(), 1) == 0;
}

std::u16string CommandLineText(const char* argument) { return Utf8ToUtf16(argument != nullptr ? argument : ""); }

}  // namespace platform
