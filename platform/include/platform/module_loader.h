#pragma once
// Loading a plug-in module into this process and binding its exported entry points, for the stand-in host
// and tests. Windows: LoadLibraryW/GetProcAddress/FreeLibrary. POSIX: dlopen/dlsym/dlclose.
#include <string>
#include <string_view>

namespace platform {

struct ModuleLoad {
  void* module = nullptr;  // null on failure
  std::string error;       // one line saying why, when module is null
};

// Loads the module at `path` (resolving its imports now). Blocks while the module's load notification runs.
ModuleLoad LoadPluginModule(const std::u16string& path);

// The exported symbol, or null.
void* FindModuleSymbol(void* module, const char* symbol);

// The symbol under which the host binds an entry point: "_Name@bytes" on Windows (stdcall decoration,
// which the module-definition files keep on both word sizes), the plain name on POSIX.
std::string EntryPointSymbol(std::string_view name, int argumentBytes);

// The module handle that the module's own code sees (Windows: the HMODULE; POSIX: its load address).
void* ModuleHandleOf(void* module);

void UnloadPluginModule(void* module);

}  // namespace platform
