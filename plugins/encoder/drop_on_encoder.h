#pragma once
// Handing the export's files to a running encoder by OLE drag and drop onto its batch document window.
#include "find_encoder.h"
#include "handoff_payloads.h"
#include "platform/system.h"

namespace encoder {

// Finds the kind's main and document windows (each within 60000 ms), shows the main window and keeps it
// topmost for the drop, places the cursor at the document window's centre and drags the dropped-files
// block there: up to 5 placements 100 ms apart, up to 5 drags once the document window is under the
// cursor. True when a drag reported an effect, or, with no objects, when both windows were found. OLE
// is initialised for the call and the main window set back to non-topmost on every way out. Blocks.
bool DropOnEncoder(platform::System& system, EncoderKind kind, HandOffPayloads& payloads);

}  // namespace encoder
