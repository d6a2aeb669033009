// A receive plug-in of the test suite: it exports every entry point, carries a string table and traces
// through the host library, so that the stand-in host and LoadHostString can be tested on a real module.
#include <cstring>
#include <string>

#include "contract/entry_points.h"
#include "hostlib/corvana.h"
#include "platform/system.h"
#include "platform/text.h"

VORLANE_EXPORT std::int32_t VORLANE_CALL Startup() noexcept {
  HostTrace(69, 13, u"STARTUP %s %d\n", u"test", 13);
  return 1;
}

VORLANE_EXPORT void VORLANE_CALL Shutdown() noexcept { HostTrace(69, 2, u"SHUTDOWN\n"); }

VORLANE_EXPORT std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  try {
    platform::WideToMultiByte(LoadHostString(platform::ThisModule(), 1), name, length);
  } catch (...) {
  }
  if (available != nullptr) *available = 1;
  return 1;
}

VORLANE_EXPORT std::uint32_t VORLANE_CALL GetFlags() noexcept { return 0x08000007; }

namespace {
// Opens a file dialog and then a folder browser, and traces what each answered.
void TraceDialogAnswers() {
  platform::Dialogs& dialogs = platform::RealSystem().dialogs;
  platform::OpenFileRequest request;
  request.title = u"Test Open";
  request.filterIndex = 1;
  request.multiSelect = true;
  if (const auto answer = dialogs.OpenFile(request)) {
    for (const auto& file : platform::SelectionTexts(answer->buffer)) HostTrace(69, 1, u"open %s\n", file.c_str());
    HostTrace(69, 1, u"filter %u\n", answer->filterIndex);
  } else {
    HostTrace(69, 1, u"open cancelled\n");
  }
  platform::FolderRequest folder;
  folder.title = u"Test Folder";
  const auto chosen = dialogs.BrowseFolder(folder);
  HostTrace(69, 1, u"folder %s\n", chosen ? chosen->c_str() : u"cancelled");
}
}  // namespace

// "fail" makes Execute report failure, so that the host's exit status for it can be tested; "dialogs"
// shows the host's dialog answers.
VORLANE_EXPORT std::int32_t VORLANE_CALL Execute(const char* text) noexcept {
  try {
    if (text != nullptr && std::strcmp(text, "dialogs") == 0) TraceDialogAnswers();
  } catch (...) {
  }
  return text != nullptr && std::strcmp(text, "fail") == 0 ? 0 : 1;
}

VORLANE_EXPORT std::int32_t VORLANE_CALL GetComment(char* comment, std::int32_t length) noexcept {
  try {
    platform::WideToMultiByte(LoadHostString(platform::ThisModule(), 2), comment, length);
  } catch (...) {
  }
  return 1;
}
