#include "plugin_module.h"

#include "platform/module_loader.h"

namespace plugin_host {

PluginModule LoadPlugin(const std::u16string& path, std::string& error) {
  PluginModule plugin;
  platform::ModuleLoad load = platform::LoadPluginModule(path);
  if (load.module == nullptr) {
    error = load.error;
    return plugin;
  }
  plugin.module = load.module;
  plugin.entry = contract::BindEntryPoints(plugin.module, &plugin.exported);
  const EntryPoints& e = plugin.entry;

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
