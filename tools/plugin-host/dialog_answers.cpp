#include "dialog_answers.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/abi.h"
#include "platform/standin_host.h"

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

int AnswerBrowseFolder(const char*, const char*, char* folder, std::size_t folderSize) {
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

}  // namespace

void SetDialogAnswers(const HostOptions& options) {
  Pending() = PendingAnswers{options.cancel, options.open, options.filter, options.folder};
}

}  // namespace plugin_host

// Found by the POSIX platform layer's dialogs with dlsym; the executable exports it (see CMakeLists.txt).
extern "C" {
VORLANE_LIBRARY_EXPORT struct VorlaneStandInDialogAnswers VorlaneStandInDialogAnswers = {
    &plugin_host::AnswerOpenFile, &plugin_host::AnswerBrowseFolder};
}
