#pragma once
// Starting outside programs. Windows: CreateProcessW. POSIX: the command line is split by the Windows
// argument rules into argv and started with posix_spawn, never through a shell.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct ProcessStart {
  std::u16string application;                   // path of the executable
  std::u16string commandLine;                   // Windows-style command line, argv[0] included
  std::optional<std::u16string> workingDirectory;  // absent: the caller's
  bool showWindow = false;                       // STARTF_USESHOWWINDOW with `showCommand`
  std::uint16_t showCommand = 0;
  bool forceFeedback = false;                    // STARTF_FORCEONFEEDBACK
  bool newProcessGroup = false;                  // CREATE_NEW_PROCESS_GROUP (Windows only)
  bool defaultErrorMode = false;                 // CREATE_DEFAULT_ERROR_MODE (Windows only)
  std::uint32_t waitForIdleMs = 0;               // 0: do not wait
};

struct ProcessResult {
  bool started = false;
  bool idle = false;  // became idle for input within waitForIdleMs (POSIX: once started)
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts the program and closes its handles before returning; never waits beyond waitForIdleMs.
  virtual ProcessResult Start(const ProcessStart& start) = 0;
};

}  // namespace platform
