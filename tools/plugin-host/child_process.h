#pragma once
// What the validator needs of the operating system: starting itself as a child process with its output
// in a file, telling whether that child has ended, ending it, and listing a loaded module's exports.
// POSIX: posix_spawn, waitpid, SIGKILL, the module file's dynamic symbol table. Windows: CreateProcessW,
// TerminateProcess, the loaded image's export directory.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plugin_host {

// The path of the running plugin-host executable.
std::u16string OwnExecutable();

struct ChildEnd {
  bool crashed = false;  // ended by a signal (POSIX) or an exception code (Windows)
  int code = 0;          // exit status, signal number or exception code
  std::string Describe() const;
};

class Child {
 public:
  virtual ~Child() = default;
  // The child's end once it has ended; nothing while it runs. Does not block.
  virtual std::optional<ChildEnd> Ended() = 0;
  // Ends the child at once and waits until it has ended.
  virtual void Kill() = 0;
};

// Starts `program` with `arguments`, standard output into `outputFile` and standard error into
// `errorFile` (both created anew). Null when the child cannot be started.
std::unique_ptr<Child> StartChild(const std::u16string& program, const std::vector<std::u16string>& arguments,
                                  const std::u16string& outputFile, const std::u16string& errorFile);

// Makes a crash of this process end it at once with a status its parent can read, instead of a
// debugger or an error box (Windows); nothing elsewhere.
void PrepareChildProcess();

// The names that the module exports, every one, not only those of the contract; nothing when they cannot
// be read. `module` is a handle from platform::LoadPluginModule for the file at `path`.
std::optional<std::vector<std::string>> ExportedNames(void* module, const std::u16string& path);

}  // namespace plugin_host
