// Stand-in Corvana: dialog framing, disabling the calling thread's windows around a modal dialog.
#include "hostlib/corvana.h"
#include "platform/thread_windows.h"

extern "C" CORVANA_API void* DisableThreadWindows(std::uint32_t threadId) {
  try {
    return platform::DisableThreadWindowList(threadId);
  } catch (...) {
    return nullptr;
  }
}

extern "C" CORVANA_API void EnableThreadWindows(void* list) { platform::EnableThreadWindowList(list); }
