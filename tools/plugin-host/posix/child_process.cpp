// POSIX: the validator's child processes and a module's exports.
#include "child_process.h"

#include <elf.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <fstream>

#include "platform/text.h"

extern char** environ;

namespace plugin_host {
namespace {

class PosixChild : public Child {
 public:
  explicit PosixChild(pid_t pid) : pid_(pid) {}
  ~PosixChild() override {
    if (!end_) Kill();
  }
  std::optional<ChildEnd> Ended() override {
    if (end_) return end_;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return std::nullopt;
    ChildEnd end;
    if (WIFSIGNALED(status)) {
      end.crashed = true;
      end.code = WTERMSIG(status);
    } else {
      end.code = WEXITSTATUS(status);
    }
    end_ = end;
    return end_;
  }
  void Kill() override {
    if (end_) return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    end_ = ChildEnd{true, SIGKILL};
  }

 private:
  pid_t pid_;
  std::optional<ChildEnd> end_;
};

template <typename Header, typename Section, typename Symbol>
std::optional<std::vector<std::string>> DefinedDynamicSymbols(const std::string& image) {
  if (image.size() < sizeof(Header)) return std::nullopt;
  Header header;
  std::memcpy(&header, image.data(), sizeof(header));
  const auto section = [&](std::size_t index) -> std::optional<Section> {
    const std::size_t at = header.e_shoff + index * sizeof(Section);
    if (index >= header.e_shnum || at + sizeof(Section) > image.size()) return std::nullopt;
    Section s;
    std::memcpy(&s, image.data() + at, sizeof(s));
    return s;
  };
  for (std::size_t i = 0; i < header.e_shnum; ++i) {
    const auto symbols = section(i);
    if (!symbols || symbols->sh_type != SHT_DYNSYM) continue;
    const auto strings = section(symbols->sh_link);
    if (!strings || symbols->sh_offset + symbols->sh_size > image.size() ||
        strings->sh_offset + strings->sh_size > image.size())
      return std::nullopt;
    std::vector<std::string> names;
    for (std::size_t at = symbols->sh_offset; at + sizeof(Symbol) <= symbols->sh_offset + symbols->sh_size;
         at += sizeof(Symbol)) {
      Symbol symbol;
      std::memcpy(&symbol, image.data() + at, sizeof(symbol));
      if (symbol.st_shndx == SHN_UNDEF || symbol.st_name == 0 || symbol.st_name >= strings->sh_size) continue;
      const char* name = image.data() + strings->sh_offset + symbol.st_name;
      names.emplace_back(name, strnlen(name, strings->sh_size - symbol.st_name));
    }
    return names;
  }
  return std::vector<std::string>{};
}

}  // namespace

std::string ChildEnd::Describe() const {
  if (!crashed) return "exit status " + std::to_string(code);
  const char* name = strsignal(code);
  return "signal " + std::to_string(code) + (name != nullptr ? std::string(" (") + name + ")" : "");
}

std::u16string OwnExecutable() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  return length > 0 ? platform::Utf8ToUtf16(std::string(path, static_cast<std::size_t>(length))) : u"";
}

std::unique_ptr<Child> StartChild(const std::u16string& program, const std::vector<std::u16string>& arguments,
                                  const std::u16string& outputFile, const std::u16string& errorFile) {
  std::vector<std::string> texts{platform::Utf16ToUtf8(program)};
  for (const auto& argument : arguments) texts.push_back(platform::Utf16ToUtf8(argument));
  std::vector<char*> argv;
  for (auto& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const std::string output = platform::Utf16ToUtf8(outputFile);
  const std::string error = platform::Utf16ToUtf8(errorFile);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, texts[0].c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return nullptr;
  return std::make_unique<PosixChild>(pid);
}

void PrepareChildProcess() {}

std::optional<std::vector<std::string>> ExportedNames(void*, const std::u16string& path) {
  std::ifstream file(platform::Utf16ToUtf8(path), std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  std::string image(static_cast<std::size_t>(file.tellg()), '\0');
  file.seekg(0);
  if (!file.read(image.data(), static_cast<std::streamsize>(image.size()))) return std::nullopt;
  if (image.size() < EI_NIDENT || std::memcmp(image.data(), ELFMAG, SELFMAG) != 0) return std::nullopt;
  if (image[EI_CLASS] == ELFCLASS64) return DefinedDynamicSymbols<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym>(image);
  return DefinedDynamicSymbols<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym>(image);
}

}  // namespace plugin_host
