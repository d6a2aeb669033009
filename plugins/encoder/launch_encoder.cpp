#include "launch_encoder.h"

#include "contract/export_description_paths.h"
#include "encoder_windows.h"
#include "handoff_timing.h"

namespace encoder {

LaunchResult LaunchEncoder(platform::System& system, EncoderKind kind, std::u16string_view executable,
                           HandOffPayloads& payloads) {
  if (FindEncoderMainWindow(system, kind, 0) != nullptr) return LaunchResult::AlreadyRunning;
  platform::ProcessStart start;
  start.application = std::u16string(executable);
  start.commandLine = payloads.LaunchCommandLine(kind, executable);
  start.workingDirectory = contract::DirectoryOf(executable);
  start.forceFeedback = true;
  start.newProcessGroup = true;
  start.defaultErrorMode = true;
  start.waitForIdleMs = kIdleWaitMs;
  const platform::ProcessResult result = system.processes.Start(start);
  return result.started && result.idle ? LaunchResult::Started : LaunchResult::Failed;
}

}  // namespace encoder
