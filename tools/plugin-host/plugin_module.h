#pragma once
// A loaded plug-in module with its contract entry points bound as the host binds them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/abi.h"

namespace plugin_host {

struct EntryPoints {
  std::int32_t(VORLANE_CALL* startup)() = nullptr;
  void(VORLANE_CALL* shutdown)() = nullptr;
  std::int32_t(VORLANE_CALL* getMenuName)(char*, std::int32_t, std::int32_t*) = nullptr;
  std::uint32_t(VORLANE_CALL* getFlags)() = nullptr;
  std::int32_t(VORLANE_CALL* execute)(const char*) = nullptr;
  std::int32_t(VORLANE_CALL* getComment)(char*, std::int32_t) = nullptr;
  // Three arguments in the player plug-ins, two in the encoder plug-in.
  std::int32_t(VORLANE_CALL* getDestPath3)(std::int32_t, std::int32_t, std::int32_t) = nullptr;
  std::int32_t(VORLANE_CALL* getDestPath2)(std::int32_t, std::int32_t) = nullptr;
};

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
