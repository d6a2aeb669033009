#pragma once
// Delivering a parsed export to the encoder that discovery found, by the way that encoder takes it.
#include "find_encoder.h"
#include "handoff_payloads.h"
#include "platform/system.h"

namespace encoder {

// Cleaner 5: writes the batch file, then adds the files through its automation object. Media Cleaner
// Pro not running: starts it with the files on its command line. Otherwise: starts the encoder when it
// is not running, then drops the files on its batch window. True for a completed hand-off; false for
// EncoderKind::None and every failure. OLE is uninitialised on every way out. Blocks for minutes at most.
bool HandOffToEncoder(platform::System& system, const EncoderInfo& encoder, HandOffPayloads& payloads);

}  // namespace encoder
