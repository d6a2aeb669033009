// Windows: holds a plug-in's dialog open for its picture. Loads the plug-in as the host does and runs it;
// once its file or folder dialog shows, writes the dialog's screen rectangle ("x y width height") to
// READY, waits for the file DONE to appear and cancels the dialog.
//   dialog_picture PLUGIN.dll READY DONE
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Watch {
  DWORD hostThread = 0;
  std::wstring ready;
  std::wstring done;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

DWORD WINAPI WatchDialog(void* parameter) {
  const Watch& watch = *static_cast<const Watch*>(parameter);
  HWND dialog = nullptr;
  for (int tries = 0; dialog == nullptr && tries < 600; ++tries) {
    Sleep(100);
    EnumThreadWindows(watch.hostThread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
  }
  if (dialog == nullptr) return 1;
  // The dialog fills its list and tree after it shows.
  Sleep(1500);
  RECT rect{};
  GetWindowRect(dialog, &rect);
  if (FILE* file = _wfopen(watch.ready.c_str(), L"w")) {
    std::fprintf(file, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fclose(file);
  }
  for (int tries = 0; GetFileAttributesW(watch.done.c_str()) == INVALID_FILE_ATTRIBUTES && tries < 600; ++tries)
    Sleep(100);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: dialog_picture PLUGIN.dll READY DONE\n");
    return 2;
  }
  HMODULE plugin = LoadLibraryW(argv[1]);
  if (plugin == nullptr) return 2;
  using Startup = int(WINAPI*)();
  using Execute = int(WINAPI*)(const char*);
  using Shutdown = void(WINAPI*)();
  auto startup = reinterpret_cast<Startup>(reinterpret_cast<void*>(GetProcAddress(plugin, "_Startup@0")));
  auto execute = reinterpret_cast<Execute>(reinterpret_cast<void*>(GetProcAddress(plugin, "_Execute@4")));
  auto shutdown = reinterpret_cast<Shutdown>(reinterpret_cast<void*>(GetProcAddress(plugin, "_Shutdown@0")));
  if (startup == nullptr || execute == nullptr || shutdown == nullptr) return 2;

  Watch watch{GetCurrentThreadId(), argv[2], argv[3]};
  HANDLE watcher = CreateThread(nullptr, 0, WatchDialog, &watch, 0, nullptr);
  startup();
  execute("");
  shutdown();
  WaitForSingleObject(watcher, INFINITE);
  DWORD result = 1;
  GetExitCodeThread(watcher, &result);
  CloseHandle(watcher);
  FreeLibrary(plugin);
  return static_cast<int>(result);
}
