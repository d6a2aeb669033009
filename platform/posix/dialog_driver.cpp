// POSIX: the dialogs ask the stand-in host's answers themselves; there is nothing to drive.
#include "platform/dialog_driver.h"

namespace platform {

std::unique_ptr<DialogDriver> DriveDialogs(const VorlaneStandInDialogAnswers&) { return nullptr; }

}  // namespace platform
