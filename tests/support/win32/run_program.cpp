// Windows: CreateProcessW with an inheritable handle of the file as standard output and error.
#include <windows.h>

#include "run_program.h"

namespace vorlane::test {
namespace {

// One argument as the C runtime splits it back: quoted, with backslashes doubled before a quote.
std::wstring Quoted(const std::u16string& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == u'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += static_cast<wchar_t>(c);
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

}  // namespace

int RunProgram(const std::vector<std::u16string>& arguments, const std::u16string& outputFile) {
  if (arguments.empty()) return -1;
  std::wstring commandLine;
  for (const std::u16string& argument : arguments) commandLine += (commandLine.empty() ? L"" : L" ") + Quoted(argument);
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const std::wstring output(outputFile.begin(), outputFile.end());
  HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = file;
  startup.hStdError = file;
  PROCESS_INFORMATION process{};
  const std::wstring application(arguments.front().begin(), arguments.front().end());
  const BOOL started = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(file);
  if (!started) return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  const BOOL exited = GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exited ? static_cast<int>(status) : -1;
}

}  // namespace vorlane::test
