// POSIX: there is no load notification; the module handle is the module's load address, found on use.
#include <dlfcn.h>

#include "platform/system.h"

namespace platform {

void* ThisModule() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ThisModule), &info) == 0) return nullptr;
  return info.dli_fbase;
}

}  // namespace platform
