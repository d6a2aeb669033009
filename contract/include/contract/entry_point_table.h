#pragma once
// The entry points of a loaded plug-in module, bound by the symbols under which the host binds them
// (decorated on Windows, plain on POSIX). For the stand-in host and the tests of the built modules.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/abi.h"

namespace contract {

struct EntryPointTable {
  std::int32_t(VORLANE_CALL* startup)() = nullptr;
  void(VORLANE_CALL* shutdown)() = nullptr;
  std::int32_t(VORLANE_CALL* getMenuName)(char*, std::int32_t, std::int32_t*) = nullptr;
  std::uint32_t(VORLANE_CALL* getFlags)() = nullptr;
  std::int32_t(VORLANE_CALL* execute)(const char*) = nullptr;
  std::int32_t(VORLANE_CALL* getComment)(char*, std::int32_t) = nullptr;
  // Three arguments in the player plug-ins, two in the encoder plug-in. POSIX has one plain name for
  // both, so there both are bound to it.
  std::int32_t(VORLANE_CALL* getDestPath3)(std::int32_t, std::int32_t, std::int32_t) = nullptr;
  std::int32_t(VORLANE_CALL* getDestPath2)(std::int32_t, std::int32_t) = nullptr;
};

// Binds every entry point that `module` (a handle from platform::LoadPluginModule) exports; the symbols
// found go to `exported`, each once, in binding order. Missing entry points stay null.
EntryPointTable BindEntryPoints(void* module, std::vector<std::string>* exported = nullptr);

}  // namespace contract
