// POSIX: posix_spawn with standard output and error opened on the file.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "platform/text.h"
#include "run_program.h"

extern char** environ;

namespace vorlane::test {

int RunProgram(const std::vector<std::u16string>& arguments, const std::u16string& outputFile) {
  if (arguments.empty()) return -1;
  std::vector<std::string> texts;
  for (const std::u16string& argument : arguments) texts.push_back(platform::Utf16ToUtf8(argument));
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const std::string output = platform::Utf16ToUtf8(outputFile);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vorlane::test
