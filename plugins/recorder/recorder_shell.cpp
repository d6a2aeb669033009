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
  state.startupPath.clear();
  if (!state.files.settings.empty()) {
    state.startupPath =
        profile.ReadString(state.files.settings, kSettingsSection, u"szStartupPath", u"", contract::kPathChars)
            .value;
  }
  HostTrace(69, 13, u"   Ini file name: %s\n", state.files.clipList.c_str());
}

void StopRecorder(platform::Profile& profile, const RecorderState& state) {
  if (state.files.settings.empty()) return;
  profile.WriteString(state.files.settings, kSettingsSection, u"szIniFileName", state.files.clipList);
  profile.WriteString(state.files.settings, kSettingsSection, u"szStartupPath", state.startupPath);
}

}  // namespace recorder
