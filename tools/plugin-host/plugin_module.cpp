#include "plugin_module.h"

#include "platform/module_loader.h"

namespace plugin_host {
namespace {

template <typename Function>
void Bind(PluginModule& plugin, Function& function, const char* name, int argumentBytes) {
  const std::string symbol = platform::EntryPointSymbol(name, argumentBytes);
  void* address = platform::FindModuleSymbol(plugin.module, symbol.c_str());
  if (address == nullptr) return;
  function = reinterpret_cast<Function>(address);
  plugin.exported.push_back(symbol);
}

}  // namespace

PluginModule LoadPlugin(const std::u16string& path, std::string& error) {
  PluginModule plugin;
  platform::ModuleLoad load = platform::LoadPluginModule(path);
  if (load.module == nullptr) {
    error = load.error;
    return plugin;
  }
  plugin.module = load.module;
  EntryPoints& e = plugin.entry;
  Bind(plugin, e.startup, "Startup", 0);
  Bind(plugin, e.shutdown, "Shutdown", 0);
  Bind(plugin, e.getMenuName, "GetMenuName", 12);
  Bind(plugin, e.getFlags, "GetFlags", 0);
  Bind(plugin, e.execute, "Execute", 4);
  Bind(plugin, e.getComment, "GetComment", 8);
  Bind(plugin, e.getDestPath3, "GetDestPath", 12);
  // POSIX binds one plain name; it is called with three arguments, which a two-argument function ignores.
  if (e.getDestPath3 == nullptr) Bind(plugin, e.getDestPath2, "GetDestPath", 8);

  if (e.startup == nullptr) plugin.missing.push_back("Startup");
  if (e.shutdown == nullptr) plugin.missing.push_back("Shutdown");
  if (e.getMenuName == nullptr) plugin.missing.push_back("GetMenuName");
  if (e.getFlags == nullptr) plugin.missing.push_back("GetFlags");
  if (e.execute == nullptr) plugin.missing.push_back("Execute");
  if (e.getComment == nullptr && e.getDestPath3 == nullptr && e.getDestPath2 == nullptr)
    plugin.missing.push_back("GetComment or GetDestPath");
  return plugin;
}

void UnloadPlugin(PluginModule& plugin) {
  platform::UnloadPluginModule(plugin.module);
  plugin.module = nullptr;
}

}  // namespace plugin_host
