// Windows: CreateProcessW with the start-up record built from the options; handles closed at once.
#include <windows.h>

#include <vector>

#include "real_parts.h"
#include "wide.h"

namespace platform {
namespace {

class Win32Processes final : public Processes {
 public:
  ProcessResult Start(const ProcessStart& start) override {
    ProcessResult result;
    if (start.application.empty()) return result;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (start.showWindow) {
      startup.dwFlags |= STARTF_USESHOWWINDOW;
      startup.wShowWindow = start.showCommand;
    }
    if (start.forceFeedback) startup.dwFlags |= STARTF_FORCEONFEEDBACK;
    DWORD creationFlags = 0;
    if (start.newProcessGroup) creationFlags |= CREATE_NEW_PROCESS_GROUP;
    if (start.defaultErrorMode) creationFlags |= CREATE_DEFAULT_ERROR_MODE;
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> commandLine(start.commandLine.begin(), start.commandLine.end());
    commandLine.push_back(L'\0');
    const std::u16string directory = start.workingDirectory.value_or(std::u16string());
    if (!CreateProcessW(Wide(start.application), commandLine.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                        start.workingDirectory ? Wide(directory) : nullptr, &startup, &process)) {
      return result;
    }
    result.started = true;
    if (start.waitForIdleMs > 0) result.idle = WaitForInputIdle(process.hProcess, start.waitForIdleMs) == 0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
  }
};

}  // namespace

Processes& RealProcesses() {
  static Win32Processes processes;
  return processes;
}

}  // namespace platform
