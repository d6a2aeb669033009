#pragma once
// Moltrin's module state around the import run: its two files beside the module and the startup path
// (the description file chosen last), kept in the settings file between loads.
#include <string>
#include <string_view>

#include "contract/module_files.h"
#include "platform/profile.h"

namespace recorder {

struct RecorderState {
  contract::ModuleFiles files;
  std::u16string startupPath;  // at most 259 characters
};

// The module's state, alive from load to unload.
RecorderState& State();

// Forms the two paths from the module path and reads the startup path from the settings file (empty
// when the file, key or path is missing). Traces the clip list path.
void StartRecorder(platform::Profile& profile, std::u16string_view modulePath, RecorderState& state);

// Writes the clip list path and the startup path to the settings file; nothing without a settings path.
void StopRecorder(platform::Profile& profile, const RecorderState& state);

}  // namespace recorder
