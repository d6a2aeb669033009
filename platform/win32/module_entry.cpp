// Windows: the module's load notification. It stores the module handle and nothing else runs here.
#include <windows.h>

#include "platform/system.h"

namespace {
HMODULE g_module = nullptr;
}

namespace platform {
void* ThisModule() { return g_module; }
}  // namespace platform

// VORLANE_THREAD_NOTIFY_AT_EVERY_CALL: switch thread notifications off at every notification
// (the player plug-ins); otherwise at process attach only.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  g_module = instance;
#if defined(VORLANE_THREAD_NOTIFY_AT_EVERY_CALL)
  DisableThreadLibraryCalls(instance);
#else
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
#endif
  return TRUE;
}
