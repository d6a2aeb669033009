#include "file_open_dialog.h"

#include "attribute_file.h"
#include "contract/trace_levels.h"
#include "hostlib/corvana.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "platform/text.h"
#include "platform/thread_windows.h"

namespace recorder {
namespace {

constexpr std::u16string_view kFilterIndexKey = u"nFilterIndex";
// Display text and pattern of each filter, NUL-separated, the list double-NUL ended.
constexpr char16_t kFilters[] =
    u"DLT Files (*.dlt)\0*.dlt\0DLX Files (*.dlx)\0*.dlx\0CDT Files (*.cdt)\0*.cdt\0";

// The thread's other windows stay disabled exactly as long as the dialog is up, also when it throws.
class DisabledThreadWindows {
 public:
  DisabledThreadWindows() : list_(DisableThreadWindows(platform::CurrentThreadId())) {}
  ~DisabledThreadWindows() { EnableThreadWindows(list_); }
  DisabledThreadWindows(const DisabledThreadWindows&) = delete;
  DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

 private:
  void* list_;
};

void ReadSelection(platform::Files& files, std::u16string_view buffer, Selection& selection,
                   std::u16string& startupPath) {
  const std::vector<std::u16string> texts = platform::SelectionTexts(buffer);
  if (texts.empty()) return;
  if (FileIsReadable(files, texts.front())) {
    if (!platform::WithinPathLimit(texts.front())) return;
    selection.single = texts.front();
    startupPath = texts.front();
    return;
  }
  // A directory and names; a single file that cannot be opened (locked) lands here with no names.
  for (std::size_t name = 1; name < texts.size() && selection.list.size() < kMostSelectedFiles; ++name) {
    std::u16string path = texts.front() + platform::PathSeparator() + texts[name];
    if (!platform::WithinPathLimit(path)) continue;
    if (selection.list.empty()) startupPath = path;
    HostTrace(contract::kTraceCategory, contract::kTraceImportDetail, u"Multiple Select File  %s \n", path.c_str());
    selection.list.push_back(std::move(path));
  }
}

}  // namespace

platform::WindowHandle FindHostMainWindow(platform::Windows& windows) {
  if (platform::WindowHandle main = windows.FindTopLevel(u"PEXA_BLUE", std::nullopt)) return main;
  return windows.Desktop();
}

std::optional<Selection> FileOpenDlg(platform::System& system, const contract::ModuleFiles& files,
                                     platform::WindowHandle owner, std::u16string_view title,
                                     std::u16string& startupPath) {
  // A fault before the dialog returns still counts as a selection: the run then stops at the empty
  // path it cannot open, and traces that. A fault after it keeps the files read so far.
  Selection selection;
  bool cancelled = false;
  try {
    platform::OpenFileRequest request;
    request.owner = owner;
    request.title = std::u16string(title);
    request.filter = std::u16string(kFilters, std::size(kFilters));
    request.filterIndex = static_cast<std::uint32_t>(
        system.profile.ReadInt(files.settings, contract::kSettingsSection, kFilterIndexKey, 1));
    request.initialFile = startupPath;
    request.multiSelect = true;
    request.bufferChars = kSelectionBufferChars;

    std::optional<platform::OpenFileAnswer> answer;
    {
      DisabledThreadWindows disabled;
      answer = system.dialogs.OpenFile(request);
    }
    cancelled = !answer;
    if (answer) {
      if (!files.settings.empty()) {
        system.profile.WriteString(files.settings, contract::kSettingsSection, kFilterIndexKey,
                                   platform::FormatInt(answer->filterIndex));
      }
      ReadSelection(system.files, answer->buffer, selection, startupPath);
    }
  } catch (...) {
    try {
      HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"Execption :  FileOpenDlg \r\n");
    } catch (...) {
    }
  }
  if (cancelled) return std::nullopt;
  return selection;
}

}  // namespace recorder
