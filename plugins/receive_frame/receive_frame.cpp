#include "receive_frame.h"

#include "contract/boundary_text.h"
#include "contract/clip_list.h"
#include "contract/entry_points.h"
#include "contract/trace_levels.h"
#include "hostlib/corvana.h"

namespace receive_frame {
namespace {

void TraceEntry(const char16_t* text) {
  if (text != nullptr) HostTrace(contract::kTraceCategory, contract::kTraceEntry, text);
}

}  // namespace

ReceiveState& State() {
  static ReceiveState state;
  return state;
}

std::int32_t Startup(const ReceivePlugin& plugin, platform::System& system, void* module, ReceiveState& state) {
  TraceEntry(plugin.startupTrace);
  state.files = contract::FormModuleFiles(system.files.ModulePath(module), plugin.marker, plugin.settingsName);
  state.startupPath = contract::ReadStartupPath(system.profile, state.files);
  if (plugin.started != nullptr) plugin.started(state);
  return 1;
}

void Shutdown(const ReceivePlugin& plugin, platform::System& system, const ReceiveState& state) {
  if (plugin.shutdown != nullptr) plugin.shutdown(system, state);
}

std::int32_t GetMenuName(const ReceivePlugin& plugin, void* module, char* name, std::int32_t length,
                         std::int32_t* available) {
  TraceEntry(plugin.menuNameTrace);
  contract::HostStringToBuffer(LoadHostString(module, plugin.menuNameString), name, length);
  if (available != nullptr) *available = 1;
  return 1;
}

std::int32_t GetComment(const ReceivePlugin& plugin, void* module, char* comment, std::int32_t length) {
  TraceEntry(plugin.commentTrace);
  contract::HostStringToBuffer(LoadHostString(module, plugin.commentString), comment, length);
  return 1;
}

std::uint32_t GetFlags(const ReceivePlugin& plugin) {
  TraceEntry(plugin.flagsTrace);
  return contract::kReceiveFlags;
}

std::int32_t Execute(const ReceivePlugin& plugin, platform::System& system, ReceiveState& state) {
  TraceEntry(plugin.executeTrace);
  return plugin.execute != nullptr ? plugin.execute(system, state) : plugin.executeFailure;
}

bool RemoveClipList(platform::Files& files, std::u16string_view clipList) {
  if (contract::ClearClipList(files, clipList)) return true;
  const std::u16string terminated(clipList);
  HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"cannot delete %s\r\n", terminated.c_str());
  return false;
}

void ReportExecuteFault(const ReceivePlugin& plugin, platform::System& system, const ReceiveState& state) {
  if (plugin.executeFaultTrace != nullptr) {
    HostTrace(contract::kTraceCategory, contract::kTraceFailure, plugin.executeFaultTrace);
  }
  if (!state.files.clipList.empty()) RemoveClipList(system.files, state.files.clipList);
}

}  // namespace receive_frame
