// Windows: the common file dialog and the folder browser arrive with the plug-ins that open them; until
// then every dialog is cancelled.
#include "real_parts.h"
#include "unavailable.h"

namespace platform {

Dialogs& RealDialogs() {
  static CancellingDialogs dialogs;
  return dialogs;
}

}  // namespace platform
