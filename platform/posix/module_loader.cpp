// POSIX: plug-in modules are loaded with dlopen and bound with dlsym by their plain names.
#include "platform/module_loader.h"

#include <dlfcn.h>
#include <link.h>

#include "platform/text.h"

namespace platform {

ModuleLoad LoadPluginModule(const std::u16string& path) {
  ModuleLoad load;
  dlerror();
  load.module = dlopen(Utf16ToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (load.module == nullptr) {
    const char* why = dlerror();
    load.error = why != nullptr ? why : "cannot load module";
  }
  return load;
}

void* FindModuleSymbol(void* module, const char* symbol) {
  if (module == nullptr) return nullptr;
  return dlsym(module, symbol);
}

std::string EntryPointSymbol(std::string_view name, int) { return std::string(name); }

void* ModuleHandleOf(void* module) {
  // The module's code finds its handle with dladdr (the start of its mapping); ask the same question
  // about an address inside the module: its dynamic section.
  link_map* map = nullptr;
  if (module == nullptr || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return nullptr;
  Dl_info info{};
  if (dladdr(map->l_ld, &info) == 0) return nullptr;
  return info.dli_fbase;
}

void UnloadPluginModule(void* module) {
  if (module != nullptr) dlclose(module);
}

}  // namespace platform
