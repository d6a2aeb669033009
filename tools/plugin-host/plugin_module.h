#pragma once
// A loaded plug-in module with its contract entry points bound as the host binds them.
#include <cstdint>
#include <string>
#include <vector>

#include "contract/entry_point_table.h"

namespace plugin_host {

using EntryPoints = contract::EntryPointTable;


struct PluginModule {
  void* module = nullptr;
  EntryPoints entry;
  std::vector<std::string> exported;  // symbols of the contract that the module exports
  std::vector<std::string> missing;   // required entry points it lacks
};

// Loads the module and binds its entry points. A module that cannot be loaded gives module == null and
// `error`; a module lacking Startup, Shutdown, GetMenuName, GetFlags, Execute, or both GetComment and
// GetDestPath lists them in `missing` (it stays loaded; the caller unloads it).
PluginModule LoadPlugin(const std::u16string& path, std::string& error);

void UnloadPlugin(PluginModule& plugin);

}  // namespace plugin_host
