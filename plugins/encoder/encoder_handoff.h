#pragma once
// The encoder plug-in's Execute: discovery, the description read whole, and the payload of the encoder
// that was found.
#include <cstdint>

#include "platform/system.h"

namespace encoder {

// Runs one send of the export description at `path` (8-bit text of the host, shorter than 260 bytes).
// Returns 0 for a null, unreadable or too long path, when no encoder is installed or the description
// cannot be read; for Cleaner 5 the batch file is written beside the encoder. Returns 1 only for a
// completed hand-off.
// Blocks for registry, file and profile calls.
std::int32_t HandOff(platform::System& system, const char* path);

}  // namespace encoder
