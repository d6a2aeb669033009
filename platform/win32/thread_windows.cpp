// Windows: the top-level windows of a thread are disabled and re-enabled with EnableWindow.
#include "platform/thread_windows.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

using WindowList = std::vector<HWND>;

BOOL CALLBACK DisableOne(HWND window, LPARAM data) {
  // Only windows that were enabled go on the list, so re-enabling restores what was there before.
  if (IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    reinterpret_cast<WindowList*>(data)->push_back(window);
  }
  return TRUE;
}

}  // namespace

std::uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

void* DisableThreadWindowList(std::uint32_t threadId) {
  auto* list = new WindowList;
  EnumThreadWindows(threadId, &DisableOne, reinterpret_cast<LPARAM>(list));
  return list;
}

void EnableThreadWindowList(void* list) {
  auto* windows = static_cast<WindowList*>(list);
  if (windows == nullptr) return;
  for (HWND window : *windows)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  delete windows;
}

}  // namespace platform
