// Windows: CreateProcessW with inheritable handles for standard output and error.
#include "run_program.h"

#include <windows.h>

#include "platform/standin_services.h"

namespace vorlane::test {
namespace {

std::wstring Quoted(const std::u16string& argument) {
  const std::u16string quoted = platform::QuotedArgument(argument);
  return std::wstring(quoted.begin(), quoted.end());
}

}  // namespace

int RunProgram(const std::u16string& program, const std::vector<std::u16string>& arguments,
               const std::u16string& outputFile) {
  std::wstring commandLine = Quoted(program);
  for (const std::u16string& argument : arguments) commandLine += L" " + Quoted(argument);
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const std::wstring output = outputFile.empty() ? std::wstring(L"NUL") : std::wstring(outputFile.begin(), outputFile.end());
  HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            outputFile.empty() ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = file;
  startup.hStdError = outputFile.empty() ? GetStdHandle(STD_ERROR_HANDLE) : file;
  PROCESS_INFORMATION process{};
  const std::wstring application(program.begin(), program.end());
  const BOOL started = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(file);
  if (!started) return -1;
  CloseHandle(process.hThread);
  DWORD status = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 120'000) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &status)) {
    TerminateProcess(process.hProcess, 1);
    status = static_cast<DWORD>(-1);
  }
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}

}  // namespace vorlane::test
