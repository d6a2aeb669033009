#include "recorder_shell.h"

#include "contract/entry_points.h"
#include "hostlib/corvana.h"

namespace recorder {

RecorderState& State() {
  static RecorderState state;
  return state;
}

void StartRecorder(platform::Profile& profile, std::u16string_view modulePath, RecorderState& state) {
  state.files = contract::FormModuleFiles(modulePath, u"\\moltrin", u"moltrin.ini");
  state.startupPath = contract::ReadStartupPath(profile, state.files);
  HostTrace(69, 13, u"   Ini file name: %s\n", state.files.clipList.c_str());
}

void StopRecorder(platform::Profile& profile, const RecorderState& state) {
  if (state.files.settings.empty()) return;
  profile.WriteString(state.files.settings, contract::kSettingsSection, u"szIniFileName", state.files.clipList);
  profile.WriteString(state.files.settings, contract::kSettingsSection, contract::kStartupPathKey, state.startupPath);
}

}  // namespace recorder
