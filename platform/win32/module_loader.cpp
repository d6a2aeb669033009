// Windows: plug-in modules are loaded with LoadLibraryW and bound by their decorated export names.
#include "platform/module_loader.h"

#include <windows.h>

namespace platform {

ModuleLoad LoadPluginModule(const std::u16string& path) {
  ModuleLoad load;
  HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t*>(path.c_str()));
  if (module == nullptr) {
    const DWORD code = GetLastError();
    char message[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, message,
                   sizeof(message), nullptr);
    std::string text = message;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    load.error = "error " + std::to_string(code) + (text.empty() ? "" : ": " + text);
  }
  load.module = module;
  return load;
}

void* FindModuleSymbol(void* module, const char* symbol) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), symbol));
}

std::string EntryPointSymbol(std::string_view name, int argumentBytes) {
  std::string symbol(1, '_');
  symbol.append(name);
  symbol.push_back('@');
  symbol.append(std::to_string(argumentBytes));
  return symbol;
}

void* ModuleHandleOf(void* module) { return module; }

void UnloadPluginModule(void* module) {
  if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}

}  // namespace platform
