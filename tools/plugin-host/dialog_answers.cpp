#include "dialog_answers.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/abi.h"
#include "platform/standin_host.h"
#include "platform/standin_services.h"
#include "platform/text.h"

namespace plugin_host {
namespace {

struct PendingAnswers {
  bool cancel = false;
  std::vector<std::string> open;
  std::optional<std::uint32_t> filter;
  std::optional<std::string> folder;
};

PendingAnswers& Pending() {
  static PendingAnswers answers;
  return answers;
}

// Copies with the terminator; an answer that does not fit is refused rather than cut to another path.
bool CopyAnswer(const std::string& text, char* destination, std::size_t size) {
  if (destination == nullptr || text.size() >= size) {
    std::fprintf(stderr, "plugin-host: dialog answer does not fit the dialog's buffer of %zu bytes; cancelled\n", size);
    return false;
  }
  std::memcpy(destination, text.c_str(), text.size() + 1);
  return true;
}

int AnswerOpenFile(const char*, char* files, std::size_t filesSize, std::uint32_t* filterIndex) {
  PendingAnswers& pending = Pending();
  if (pending.cancel) {
    pending.cancel = false;
    return 0;
  }
  if (pending.open.empty()) return 0;
  std::string lines;
  for (const auto& path : pending.open) lines += (lines.empty() ? "" : "\n") + path;
  pending.open.clear();
  if (!CopyAnswer(lines, files, filesSize)) return 0;
  if (pending.filter && filterIndex != nullptr) *filterIndex = *pending.filter;
  return 1;
}

int AnswerBrowseFolder(const char* title, const char* initialFolder, char* folder, std::size_t folderSize) {
  // What the browser showed, so that a run can be checked for the folder it opened on.
  std::fprintf(stderr, "plugin-host: folder browser \"%s\" opened on \"%s\"\n", title != nullptr ? title : "",
               initialFolder != nullptr ? initialFolder : "");
  PendingAnswers& pending = Pending();
  if (pending.cancel) {
    pending.cancel = false;
    return 0;
  }
  if (!pending.folder) return 0;
  const std::string answer = *pending.folder;
  pending.folder.reset();
  return CopyAnswer(answer, folder, folderSize) ? 1 : 0;
}

// Command-line text is taken as the build reads it (Windows: the ANSI code page) into the answers' UTF-8.
std::string AnswerText(const std::string& argument) {
  return platform::Utf16ToUtf8(platform::CommandLineText(argument.c_str()));
}

}  // namespace

void SetDialogAnswers(const HostOptions& options) {
  PendingAnswers answers{options.cancel, {}, options.filter, std::nullopt};
  for (const std::string& path : options.open) answers.open.push_back(AnswerText(path));
  if (options.folder) answers.folder = AnswerText(*options.folder);
  Pending() = std::move(answers);
}

}  // namespace plugin_host

// Found by the POSIX platform layer's dialogs with dlsym; the executable exports it (see CMakeLists.txt).
extern "C" {
VORLANE_LIBRARY_EXPORT struct VorlaneStandInDialogAnswers VorlaneStandInDialogAnswers = {
    &plugin_host::AnswerOpenFile, &plugin_host::AnswerBrowseFolder};
}

const struct VorlaneStandInDialogAnswers& plugin_host::DialogAnswers() { return VorlaneStandInDialogAnswers; }
