// Windows: a started program records its raw command line; started programs are this process's children.
#include "test_host.h"

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/text.h"

namespace vorlane::test {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The processes now running whose parent is this process.
std::vector<DWORD> Children() {
  std::vector<DWORD> children;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID == GetCurrentProcessId()) children.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return children;
}

}  // namespace

void SetEnvironment(const char* name, const std::u16string& value) {
  SetEnvironmentVariableW(Wide(platform::Widen(name)), Wide(value));
  _wputenv_s(Wide(platform::Widen(name)), Wide(value));
}

std::string ExpectedStartRecord(const std::u16string& commandLine) { return platform::Utf16ToUtf8(commandLine); }

struct StartedPrograms::State {
  std::vector<DWORD> before;  // children that were running already (a console host, say)
};

StartedPrograms::StartedPrograms() : state_(std::make_unique<State>()) { state_->before = Children(); }

StartedPrograms::~StartedPrograms() = default;

bool StartedPrograms::WaitUntilAllEnded(std::chrono::milliseconds timeout) {
  return WaitFor(
      [&] {
        const std::vector<DWORD> now = Children();
        return std::all_of(now.begin(), now.end(), [&](DWORD child) {
          return std::find(state_->before.begin(), state_->before.end(), child) != state_->before.end();
        });
      },
      timeout);
}

}  // namespace vorlane::test
