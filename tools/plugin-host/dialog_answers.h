#pragma once
// The answers that plugin-host gives to the plug-ins' file and folder dialogs (POSIX: through the
// exported VorlaneStandInDialogAnswers object, which the platform layer finds with dlsym).
#include "options.h"

namespace plugin_host {

// Takes the answers from --open, --filter, --folder and --cancel. Each answer serves one dialog; a dialog
// without an answer left is cancelled.
void SetDialogAnswers(const HostOptions& options);

}  // namespace plugin_host
