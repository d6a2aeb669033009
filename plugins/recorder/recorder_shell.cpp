#include "recorder_shell.h"

#include "contract/module_files.h"
#include "contract/trace_levels.h"
#include "hostlib/corvana.h"

namespace recorder {

void TraceStarted(const receive_frame::ReceiveState& state) {
  HostTrace(contract::kTraceCategory, contract::kTraceEntry, u"   Ini file name: %s\n", state.files.clipList.c_str());
}

void StopRecorder(platform::System& system, const receive_frame::ReceiveState& state) {
  HostTrace(contract::kTraceCategory, contract::kTraceEntry, u"SHUTDOWN\n");
  if (state.files.settings.empty()) return;
  system.profile.WriteString(state.files.settings, contract::kSettingsSection, u"szIniFileName", state.files.clipList);
  system.profile.WriteString(state.files.settings, contract::kSettingsSection, contract::kStartupPathKey,
                             state.startupPath);
}

}  // namespace recorder
