// POSIX: posix_spawn and a polled waitpid.
#include "run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/text.h"

extern char** environ;

namespace vorlane::test {

int RunProgram(const std::u16string& program, const std::vector<std::u16string>& arguments,
               const std::u16string& outputFile) {
  std::vector<std::string> texts{platform::Utf16ToUtf8(program)};
  for (const std::u16string& argument : arguments) texts.push_back(platform::Utf16ToUtf8(argument));
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const std::string output = outputFile.empty() ? std::string("/dev/null") : platform::Utf16ToUtf8(outputFile);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!outputFile.empty()) posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  constexpr int kPolls = 120 * 100;
  for (int poll = 0; poll < kPolls; ++poll) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    usleep(10'000);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return -1;
}

}  // namespace vorlane::test
