#pragma once
// Fennick's part of the receive frame around the scan: its start-up and shut-down traces. The watch
// folder is the frame's startup path, kept in memory from one run to the next.
#include "platform/system.h"
#include "receive_frame.h"

namespace watchfolder {

// Traces the settings path and the watch folder at the end of Startup.
void TraceStarted(const receive_frame::ReceiveState& state);

// Traces the watch folder and "Shutdown"; nothing is saved, the settings are written by each run.
void TraceShutdown(platform::System& system, const receive_frame::ReceiveState& state);

}  // namespace watchfolder
