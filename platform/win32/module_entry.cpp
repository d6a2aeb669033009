// Windows: the module's load notification. It stores the module handle and nothing else runs here.
#include <windows.h>

#include "platform/system.h"

namespace {

HMODULE g_module = nullptr;

// Which thread notifications the module switches off, chosen by its object target (platform/CMakeLists.txt).
enum class ThreadNotices { OffAtAttach, OffAtEveryCall, Kept };
#if defined(VORLANE_THREAD_NOTICES_KEPT)
constexpr ThreadNotices kThreadNotices = ThreadNotices::Kept;
#elif defined(VORLANE_THREAD_NOTICES_OFF_AT_EVERY_CALL)
constexpr ThreadNotices kThreadNotices = ThreadNotices::OffAtEveryCall;
#else
constexpr ThreadNotices kThreadNotices = ThreadNotices::OffAtAttach;
#endif

}  // namespace

namespace platform {
void* ThisModule() { return g_module; }
}  // namespace platform

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  g_module = instance;
  if (kThreadNotices == ThreadNotices::OffAtEveryCall ||
      (kThreadNotices == ThreadNotices::OffAtAttach && reason == DLL_PROCESS_ATTACH))
    DisableThreadLibraryCalls(instance);
  return TRUE;
}
