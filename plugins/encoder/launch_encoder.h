#pragma once
// Starting the encoder when it is not running yet.
#include <string_view>

#include "find_encoder.h"
#include "handoff_payloads.h"
#include "platform/system.h"

namespace encoder {

// Looks once for the kind's main window; when it is there, `launched` is false and nothing starts.
// Otherwise starts `executable` in its own directory with the kind's command line, and waits up to
// kIdleWaitMs for it to become idle for input. False when it did not start or did not become idle
// (POSIX: a started program counts as idle). Blocks for that wait.
bool LaunchEncoder(platform::System& system, EncoderKind kind, std::u16string_view executable,
                   HandOffPayloads& payloads, bool& launched);

}  // namespace encoder
