// POSIX: dialogs are answered by the stand-in host through the object it exports; without one every
// dialog is cancelled.
#include <dlfcn.h>

#include <vector>

#include "platform/limits.h"
#include "platform/path.h"
#include "platform/standin_host.h"
#include "platform/text.h"
#include "real_parts.h"

namespace platform {
namespace {

// UTF-8 needs at most three bytes per UTF-16 code unit.
constexpr std::size_t kUtf8PerUnit = 3;

const VorlaneStandInDialogAnswers* HostAnswers() {
  return static_cast<const VorlaneStandInDialogAnswers*>(dlsym(RTLD_DEFAULT, "VorlaneStandInDialogAnswers"));
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  while (!text.empty()) {
    std::size_t end = text.find(u'\n');
    std::u16string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    if (end == std::u16string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Characters the real dialog's buffer needs for this selection: the file and its terminator, or the
// directory and each name with their terminators and the list's closing one. It fails when they do not fit.
std::size_t SelectionChars(const std::vector<std::u16string>& files) {
  if (files.size() == 1) return files.front().size() + 1;
  std::size_t chars = DriveAndDirectory(files.front()).size() + 1;
  for (const std::u16string& file : files) chars += FileNamePart(file).size() + 1;
  return chars;
}

class PosixDialogs final : public Dialogs {
 public:
  std::optional<OpenFileAnswer> OpenFile(const OpenFileRequest& request) override {
    const VorlaneStandInDialogAnswers* answers = HostAnswers();
    if (answers == nullptr || answers->openFile == nullptr) return std::nullopt;
    std::vector<char> files(static_cast<std::size_t>(request.bufferChars) * kUtf8PerUnit + 1, '\0');
    std::uint32_t filterIndex = request.filterIndex;
    if (answers->openFile(Utf16ToUtf8(request.title).c_str(), files.data(), files.size(), &filterIndex) != 1) {
      return std::nullopt;
    }
    files.back() = '\0';  // the host's answer is not trusted to end
    OpenFileAnswer answer;
    answer.files = SplitLines(Utf8ToUtf16(files.data()));
    answer.filterIndex = filterIndex;
    if (answer.files.empty()) return std::nullopt;
    if (SelectionChars(answer.files) > request.bufferChars) return std::nullopt;
    return answer;
  }

  std::optional<std::u16string> BrowseFolder(const FolderRequest& request) override {
    const VorlaneStandInDialogAnswers* answers = HostAnswers();
    if (answers == nullptr || answers->browseFolder == nullptr) return std::nullopt;
    std::vector<char> folder((kMaxPathChars + 1) * kUtf8PerUnit + 1, '\0');
    if (answers->browseFolder(Utf16ToUtf8(request.title).c_str(), Utf16ToUtf8(request.initialFolder).c_str(),
                              folder.data(), folder.size()) != 1) {
      return std::nullopt;
    }
    folder.back() = '\0';
    std::u16string chosen = Utf8ToUtf16(folder.data());
    // A folder that has no path of at most 259 characters is what the browser cannot hand back.
    if (!WithinPathLimit(chosen)) return std::nullopt;
    return chosen;
  }
};

}  // namespace

Dialogs& RealDialogs() {
  static PosixDialogs dialogs;
  return dialogs;
}

}  // namespace platform
