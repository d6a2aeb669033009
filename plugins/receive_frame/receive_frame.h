#pragma once
// One frame for the receive plug-ins that keep a remembered file or folder beside their module (Moltrin,
// Fennick): the entry points around the run, the two module files and the settings read at start-up.
// Each plug-in describes what is its own in a ReceivePlugin; the frame does the rest.
#include <cstdint>
#include <string>
#include <string_view>

#include "contract/module_files.h"
#include "platform/system.h"

namespace receive_frame {

// Module state, alive from load to unload.
struct ReceiveState {
  contract::ModuleFiles files;
  std::u16string startupPath;  // the remembered file or folder ("szStartupPath"), at most 259 characters
};

struct ReceivePlugin {
  std::u16string_view marker;        // "\\moltrin": where the module's own file name begins
  std::u16string_view settingsName;  // "moltrin.ini"
  // Each traced at the entry level as its entry point's first act; a null Execute trace: none.
  const char16_t* startupTrace;
  const char16_t* menuNameTrace;
  const char16_t* commentTrace;
  const char16_t* flagsTrace;
  const char16_t* executeTrace;
  std::uint32_t menuNameString;  // string ids of the module
  std::uint32_t commentString;
  // The end of Startup, once the files are formed and the startup path is read; may be null.
  void (*started)(const ReceiveState& state);
  // The whole of Shutdown.
  void (*shutdown)(platform::System& system, const ReceiveState& state);
  // The run; its result goes to the host.
  std::int32_t (*execute)(platform::System& system, ReceiveState& state);
  // What Execute returns when the run throws, and what it traces at the failure level then (null: none).
  std::int32_t executeFailure;
  const char16_t* executeFaultTrace;
};

// The plug-in this module is: each receive plug-in built on the frame defines it.
const ReceivePlugin& ThisPlugin();

// The module's state.
ReceiveState& State();

// Traces, forms the clip list and settings paths from the module's path and reads "szStartupPath"
// (empty when the file, key or a safe place is missing); returns 1.
std::int32_t Startup(const ReceivePlugin& plugin, platform::System& system, void* module, ReceiveState& state);

void Shutdown(const ReceivePlugin& plugin, platform::System& system, const ReceiveState& state);

// The module's menu name or comment string, converted into at most `length` bytes (terminated only when
// it fits); GetMenuName also sets the available flag when given one. Both return 1.
std::int32_t GetMenuName(const ReceivePlugin& plugin, void* module, char* name, std::int32_t length,
                         std::int32_t* available);
std::int32_t GetComment(const ReceivePlugin& plugin, void* module, char* comment, std::int32_t length);

// Traces and returns the receive plug-ins' flags word.
std::uint32_t GetFlags(const ReceivePlugin& plugin);

// Traces and runs the plug-in's run.
std::int32_t Execute(const ReceivePlugin& plugin, platform::System& system, ReceiveState& state);

// Deletes the clip list, or empties it (contract::ClearClipList); when it stays, traces "cannot delete %s"
// at the failure level and returns false. For the start of a run and for taking back a run's partial list.
bool RemoveClipList(platform::Files& files, std::u16string_view clipList);

// What a run that threw or faulted leaves behind: its failure-level trace, if the plug-in has one, and
// no clip list, since what the run wrote of it may lack clips.
void ReportExecuteFault(const ReceivePlugin& plugin, platform::System& system, const ReceiveState& state);

}  // namespace receive_frame
