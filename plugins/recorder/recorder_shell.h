#pragma once
// Moltrin's part of the receive frame around the import run: its start-up trace, and the settings it
// writes at Shutdown (the clip list path and the startup path, the description file chosen last).
#include "platform/system.h"
#include "receive_frame.h"

namespace recorder {

// Traces the clip list path at the end of Startup.
void TraceStarted(const receive_frame::ReceiveState& state);

// Traces "SHUTDOWN" and writes the clip list path and the startup path to the settings file; nothing is
// written without a settings path.
void StopRecorder(platform::System& system, const receive_frame::ReceiveState& state);

}  // namespace recorder
