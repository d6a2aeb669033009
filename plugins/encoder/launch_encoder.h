#pragma once
// Starting the encoder when it is not running yet.
#include <string_view>

#include "find_encoder.h"
#include "handoff_payloads.h"
#include "platform/system.h"

namespace encoder {

enum class LaunchResult {
  AlreadyRunning,  // its main window was there; nothing was started
  Started,         // started now and idle for input
  Failed,          // did not start, or did not become idle in time
};

// Looks once for the kind's main window; when it is there, nothing starts. Otherwise starts `executable`
// in its own directory with the kind's command line, and waits up to kIdleWaitMs for it to become idle
// for input (POSIX: a started program counts as idle). Blocks for that wait.
LaunchResult LaunchEncoder(platform::System& system, EncoderKind kind, std::u16string_view executable,
                           HandOffPayloads& payloads);

}  // namespace encoder
