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

// The host's chosen files in the shape the real dialog's buffer has: one path, or the directory (without
// its final separator, unless it is the root) followed by the names. Nothing when the files do not share
// one directory, which the real dialog cannot choose.
std::optional<std::u16string> SelectionBuffer(const std::vector<std::u16string>& files) {
  if (files.size() == 1) return files.front() + u'\0';
  std::u16string directory = DriveAndDirectory(files.front());
  std::u16string buffer;
  for (const std::u16string& file : files) {
    if (DriveAndDirectory(file) != directory || FileNamePart(file).empty()) return std::nullopt;
    buffer += FileNamePart(file) + u'\0';
  }
  if (directory.size() > 1 && EndsWithSeparator(directory)) directory.pop_back();
  return directory + u'\0' + buffer + u'\0';
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
    const std::vector<std::u16string> chosen = SplitLines(Utf8ToUtf16(files.data()));
    if (chosen.empty()) return std::nullopt;
    std::optional<std::u16string> buffer = SelectionBuffer(chosen);
    // A selection that does not fit the dialog's buffer is what the real dialog fails on.
    if (!buffer || buffer->size() > request.bufferChars) return std::nullopt;
    return OpenFileAnswer{std::move(*buffer), filterIndex};
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
