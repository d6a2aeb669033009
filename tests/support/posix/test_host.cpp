// POSIX: started programs get their arguments split from the line, and come back to this process to end.
#include "test_host.h"

#include <sys/prctl.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/text.h"

namespace vorlane::test {

void SetEnvironment(const char* name, const std::u16string& value) {
  setenv(name, platform::Utf16ToUtf8(value).c_str(), 1);
}

// Enough of the Windows argument rules for a player line: blanks split until the opening quote, whose
// argument runs to the end of the line.
std::string ExpectedStartRecord(const std::u16string& commandLine) {
  const std::string line = platform::Utf16ToUtf8(commandLine);
  const std::size_t quote = line.find('"');
  std::string record;
  std::size_t at = 0;
  while (at < quote) {
    const std::size_t blank = std::min(line.find(' ', at), quote);
    if (blank > at) record += line.substr(at, blank - at) + "\n";
    at = blank + 1;
  }
  if (quote != std::string::npos) record += line.substr(quote + 1) + "\n";
  return record;
}

struct StartedPrograms::State {
  int wasReaper = 0;
};

StartedPrograms::StartedPrograms() : state_(std::make_unique<State>()) {
  prctl(PR_GET_CHILD_SUBREAPER, &state_->wasReaper);
  prctl(PR_SET_CHILD_SUBREAPER, 1);
}

StartedPrograms::~StartedPrograms() { prctl(PR_SET_CHILD_SUBREAPER, state_->wasReaper); }

bool StartedPrograms::WaitUntilAllEnded(std::chrono::milliseconds timeout) {
  return WaitFor(
      [] {
        // Reaps every program that has ended; none left at all is the answer.
        pid_t ended = 0;
        do {
          ended = waitpid(-1, nullptr, WNOHANG);
        } while (ended > 0 || (ended < 0 && errno == EINTR));
        return ended < 0 && errno == ECHILD;
      },
      timeout);
}

}  // namespace vorlane::test
