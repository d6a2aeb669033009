#include "watchfolder_shell.h"

#include "contract/trace_levels.h"
#include "hostlib/corvana.h"

namespace watchfolder {

void TraceStarted(const receive_frame::ReceiveState& state) {
  HostTrace(contract::kTraceCategory, contract::kTraceEntry, u"%s => szStartupPath: %s\n",
            state.files.settings.c_str(), state.startupPath.c_str());
}

void TraceShutdown(platform::System&, const receive_frame::ReceiveState& state) {
  HostTrace(contract::kTraceCategory, contract::kTraceEntry, u"szStartupPath: %s\n", state.startupPath.c_str());
  HostTrace(contract::kTraceCategory, contract::kTraceEntry, u"Shutdown\n");
}

}  // namespace watchfolder
