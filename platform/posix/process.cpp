// POSIX: the command line is split by the Windows rules and the program started with posix_spawn,
// never through a shell.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "command_line.h"
#include "path_case.h"
#include "platform/text.h"
#include "real_parts.h"

extern char** environ;

namespace platform {
namespace {

// Everything the intermediate child needs, prepared before fork so that it allocates nothing.
struct SpawnPlan {
  std::string application;
  std::vector<std::string> args;
  std::vector<char*> argv;
  posix_spawn_file_actions_t actions{};
  bool hasActions = false;

  ~SpawnPlan() {
    if (hasActions) posix_spawn_file_actions_destroy(&actions);
  }
};

bool Prepare(const ProcessStart& start, SpawnPlan& plan) {
  plan.application = ResolvePathCase(Utf16ToUtf8(start.application));
  for (const std::u16string& arg : SplitCommandLine(start.commandLine)) plan.args.push_back(Utf16ToUtf8(arg));
  if (plan.args.empty()) plan.args.push_back(plan.application);
  for (std::string& arg : plan.args) plan.argv.push_back(arg.data());
  plan.argv.push_back(nullptr);
  if (start.workingDirectory) {
    if (posix_spawn_file_actions_init(&plan.actions) != 0) return false;
    plan.hasActions = true;
    const std::string directory = ResolvePathCase(Utf16ToUtf8(*start.workingDirectory));
    if (posix_spawn_file_actions_addchdir_np(&plan.actions, directory.c_str()) != 0) return false;
  }
  return true;
}

class PosixProcesses final : public Processes {
 public:
  ProcessResult Start(const ProcessStart& start) override {
    ProcessResult result;
    if (start.application.empty()) return result;
    SpawnPlan plan;
    if (!Prepare(start, plan)) return result;

    // Double start: an intermediate child spawns the program and ends at once, so the program is
    // adopted by init and reaped there; the caller only reaps the intermediate and keeps no zombie.
    const pid_t intermediate = fork();
    if (intermediate < 0) return result;
    if (intermediate == 0) {
      pid_t program = 0;
      const int error = posix_spawn(&program, plan.application.c_str(), plan.hasActions ? &plan.actions : nullptr,
                                    nullptr, plan.argv.data(), environ);
      _exit(error == 0 ? 0 : 1);
    }
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0) {
      if (errno != EINTR) return result;
    }
    result.started = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.idle = result.started;  // nothing to wait for: a started program counts as ready
    return result;
  }
};

}  // namespace

Processes& RealProcesses() {
  static PosixProcesses processes;
  return processes;
}

}  // namespace platform
