#pragma once
// The answers that plugin-host gives to the plug-ins' file and folder dialogs (POSIX: through the
// exported VorlaneStandInDialogAnswers object, which the platform layer finds with dlsym; Windows: through
// the platform's dialog driver, which answers the real dialogs with the same object).
#include "options.h"
#include "platform/standin_host.h"

namespace plugin_host {

// Takes the answers from --open, --filter, --folder and --cancel. Each answer serves one dialog; a dialog
// without an answer left is cancelled.
void SetDialogAnswers(const HostOptions& options);

// The exported answers object, for the dialog driver.
const VorlaneStandInDialogAnswers& DialogAnswers();

}  // namespace plugin_host
