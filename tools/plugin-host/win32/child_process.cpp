// Windows: the validator's child processes and a module's exports.
#include "child_process.h"

#include <windows.h>

#include <cstdio>

#include "platform/module_loader.h"
#include "platform/standin_services.h"

namespace plugin_host {
namespace {

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring Quoted(const std::u16string& argument) { return Wide(platform::QuotedArgument(argument)); }

HANDLE CreateInheritable(const std::u16string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  return CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class WindowsChild : public Child {
 public:
  explicit WindowsChild(HANDLE process) : process_(process) {}
  ~WindowsChild() override {
    if (!end_) Kill();
    CloseHandle(process_);
  }
  std::optional<ChildEnd> Ended() override {
    if (end_) return end_;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    // Exception codes have the two top bits set; no ordinary exit status does.
    end_ = ChildEnd{(code & 0xC0000000u) == 0xC0000000u, static_cast<int>(code)};
    return end_;
  }
  void Kill() override {
    if (end_) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, INFINITE);
    end_ = ChildEnd{true, 1};
  }

 private:
  HANDLE process_;
  std::optional<ChildEnd> end_;
};

LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS* exception) {
  TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

std::string ChildEnd::Describe() const {
  char text[32];
  std::snprintf(text, sizeof(text), crashed ? "exception 0x%08X" : "exit status %u", static_cast<unsigned>(code));
  return text;
}

std::u16string OwnExecutable() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  return std::u16string(path, path + length);
}

std::unique_ptr<Child> StartChild(const std::u16string& program, const std::vector<std::u16string>& arguments,
                                  const std::u16string& outputFile, const std::u16string& errorFile) {
  std::wstring commandLine = Quoted(program);
  for (const auto& argument : arguments) commandLine += L" " + Quoted(argument);
  HANDLE output = CreateInheritable(outputFile);
  HANDLE error = CreateInheritable(errorFile);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output;
  startup.hStdError = error;
  PROCESS_INFORMATION started{};
  const bool ok = output != INVALID_HANDLE_VALUE && error != INVALID_HANDLE_VALUE &&
                  CreateProcessW(Wide(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &started);
  if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
  if (error != INVALID_HANDLE_VALUE) CloseHandle(error);
  if (!ok) return nullptr;
  CloseHandle(started.hThread);
  return std::make_unique<WindowsChild>(started.hProcess);
}

void PrepareChildProcess() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(&EndWithExceptionCode);
}

std::optional<std::vector<std::string>> ExportedNames(void* module, const std::u16string&) {
  const auto* base = static_cast<const unsigned char*>(platform::ModuleHandleOf(module));
  if (base == nullptr) return std::nullopt;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::vector<std::string> names;
  if (directory.VirtualAddress == 0) return names;
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  const auto* nameOffsets = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    names.emplace_back(reinterpret_cast<const char*>(base + nameOffsets[i]));
  return names;
}

}  // namespace plugin_host
