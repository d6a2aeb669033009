#pragma once
// How the stand-in host answers the real dialogs that a plug-in opens on the host's calling thread.
// Windows: a second thread finds each dialog as it opens and answers it from the host's answers
// (standin_host.h), as a user would. POSIX: the platform's dialogs ask those answers themselves, so
// nothing needs driving. None of this is used by the plug-ins.
#include <memory>

#include "platform/standin_host.h"

namespace platform {

class DialogDriver {
 public:
  virtual ~DialogDriver() = default;
};

// Drives the dialogs that the calling thread opens until the result is destroyed (which waits for the
// driving thread to end). Windows: a folder browser is shown the chosen folder and confirmed, or
// cancelled, as `answers.browseFolder` says; its initial folder is read from its status text. An open-file
// dialog is given the files and file type of `answers.openFile`, or cancelled. Dialogs of other kinds are
// left alone. POSIX: returns null. Never blocks the calling thread.
std::unique_ptr<DialogDriver> DriveDialogs(const VorlaneStandInDialogAnswers& answers);

}  // namespace platform
