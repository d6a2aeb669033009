// Windows: a second thread of the stand-in host answers the dialogs that its calling thread opens.
#include "platform/dialog_driver.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browser_selection.h"
#include "platform/limits.h"
#include "platform/path.h"
#include "platform/text.h"
#include "wide.h"

namespace platform {
namespace {

constexpr DWORD kPollMs = 20;
// A status text unchanged over this many polls (about 100 ms) has settled; 2 s at most.
constexpr int kStillPolls = 5;
constexpr int kMaxSettlePolls = 100;
constexpr std::size_t kAnswerBytes = 32768;
// The folder browser's title and status text controls.
constexpr int kBrowserTitleControl = 0x3742;
constexpr int kBrowserStatusControl = 0x3743;

std::u16string WindowText(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return FromWide(text);
}

std::u16string ControlText(HWND dialog, int control) {
  HWND item = GetDlgItem(dialog, control);
  return item != nullptr ? WindowText(item) : std::u16string();
}

bool HasClass(HWND window, const wchar_t* className) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return lstrcmpiW(name, className) == 0;
}

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
  if (!HasClass(child, L"SysTreeView32")) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

HWND FolderTree(HWND dialog) {
  HWND tree = nullptr;
  EnumChildWindows(dialog, &FindTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

// The folder browser is the dialog that shows the folder tree.
bool IsFolderBrowser(HWND dialog) { return FolderTree(dialog) != nullptr; }

// The browser's status text shows the selected folder's path: once it holds still, the browser has
// taken its initial selection.
std::u16string SettledStatus(HWND dialog) {
  std::u16string status = ControlText(dialog, kBrowserStatusControl);
  for (int still = 0, polls = 0; still < kStillPolls && polls < kMaxSettlePolls; ++polls) {
    Sleep(kPollMs);
    const std::u16string now = ControlText(dialog, kBrowserStatusControl);
    still = now == status ? still + 1 : 0;
    status = now;
  }
  return status;
}

// The name of the folder below `shown` on the way to `path`, or nothing when `shown` is not above it.
std::optional<std::u16string> NextFolderName(const std::u16string& shown, const std::u16string& path) {
  std::u16string base = shown;
  if (base.empty()) return std::nullopt;
  if (!EndsWithSeparator(base)) base += path.size() > base.size() ? path[base.size()] : u'\\';
  if (path.size() <= base.size() || !IsPathSeparator(base.back()) ||
      !EqualsNoCase(std::u16string_view(path).substr(0, base.size()), base)) {
    return std::nullopt;
  }
  std::u16string name = path.substr(base.size());
  const auto end = std::find_if(name.begin(), name.end(), IsPathSeparator);
  name.erase(end, name.end());
  if (name.empty()) return std::nullopt;
  return name;
}

// The tree item related to `item` as `which` names it (TVGN_CARET needs none).
HTREEITEM TreeItem(HWND tree, WPARAM which, HTREEITEM item = nullptr) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

std::u16string ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[kWideBufferChars] = L"";
  TVITEMW data{};
  data.mask = TVIF_HANDLE | TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = static_cast<int>(std::size(text));
  if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data))) return {};
  return FromWide(text);
}

// Wine's tree lists each folder once, when its parent opens, and keeps the last-access times it saw then;
// a folder that has just changed gets a new one at its first look, when the tree opens it or a path is
// parsed through it. Below the item of such a folder (a fresh sibling of the folder the browser opened
// on, a fresh folder below it) no selection by path arrives. So go on as a user would: from the path's
// drive, whose item carries no times, open the selected item and click the child of the next name. The
// status text, which the callback fills from the selected item's path, tells where each click arrived.
bool DescendToFolder(HWND dialog, const std::u16string& path, const std::function<std::u16string()>& selection) {
  HWND tree = FolderTree(dialog);
  if (tree == nullptr || path.size() < 3 || path[1] != u':' || !IsPathSeparator(path[2])) return false;
  const std::u16string drive = path.substr(0, 2) + u"\\";
  SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Wide(drive)));
  // Each click goes one folder deeper, so a path has fewer folders than characters.
  for (std::size_t click = 0; click < path.size(); ++click) {
    const std::u16string shown = selection();
    if (SameFolder(shown, path)) return true;
    const std::optional<std::u16string> name = NextFolderName(shown, path);
    HTREEITEM selected = TreeItem(tree, TVGN_CARET);
    if (!name || selected == nullptr) return false;
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(selected));
    HTREEITEM child = TreeItem(tree, TVGN_CHILD, selected);
    while (child != nullptr && !EqualsNoCase(ItemText(tree, child), *name)) child = TreeItem(tree, TVGN_NEXT, child);
    if (child == nullptr) return false;
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
  }
  return false;
}

// Selects the answer and tells whether the browser shows it: nothing to do when it opened on it; by path
// first, and item by item where Wine's tree keeps an old item on the way.
bool SelectAnswer(HWND dialog, const std::u16string& answer) {
  const std::u16string path = BrowserPath(answer);
  const auto selection = [dialog] { return ControlText(dialog, kBrowserStatusControl); };
  return SameFolder(selection(), path) || SelectBrowserFolder(dialog, path, selection) ||
         DescendToFolder(dialog, path, selection);
}

void AnswerFolderBrowser(HWND dialog, const VorlaneStandInDialogAnswers& answers) {
  std::u16string title = ControlText(dialog, kBrowserTitleControl);
  if (title.empty()) title = WindowText(dialog);
  const std::u16string initial = SettledStatus(dialog);
  std::string folder(kAnswerBytes, '\0');
  int chosen = 0;
  if (answers.browseFolder != nullptr) {
    chosen = answers.browseFolder(Utf16ToUtf8(title).c_str(), Utf16ToUtf8(initial).c_str(), folder.data(),
                                  folder.size());
  }
  if (chosen == 1) {
    folder.back() = '\0';
    const std::u16string answer = Utf8ToUtf16(folder.c_str());
    // OK on another folder would hand the plug-in a choice nobody made.
    if (!SelectAnswer(dialog, answer)) {
      std::fprintf(stderr, "plugin-host: the folder browser shows \"%s\", not \"%s\"; cancelled\n",
                   Utf16ToUtf8(ControlText(dialog, kBrowserStatusControl)).c_str(), folder.c_str());
      chosen = 0;
    }
  }
  // Posted: a sent IDOK returns only after the dialog has ended, seconds later under Wine.
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(chosen == 1 ? IDOK : IDCANCEL, BN_CLICKED), 0);
}

// The open-file dialog's file name box and file type list.
constexpr int kFileNameControl = 0x47C;
constexpr int kFileTypeControl = 0x470;
// An open-file dialog that has just become visible may still be filling its boxes.
constexpr DWORD kOpenFileSettleMs = 150;
// Time for the dialog to move into a folder typed into it before the names are given.
constexpr DWORD kNavigateMs = 500;
// How long one look waits for a dialog to finish setting up before the driver polls again.
constexpr DWORD kSetUpWaitMs = 1000;

bool IsOpenFileDialog(HWND dialog) { return GetDlgItem(dialog, kFileNameControl) != nullptr; }

// The dialog's thread handles a sent message only between the messages it is handling, so once this one
// comes back the dialog has ended its setting up (it can be visible well before that).
bool SetUp(HWND dialog) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kSetUpWaitMs, &ignored) != 0;
}

// The host's answer (full paths, one per line) typed as a user would: one path as it stands; several as
// their folder, confirmed, and then their quoted names. The chosen file type is selected first.
void AnswerOpenFile(HWND dialog, const VorlaneStandInDialogAnswers& answers) {
  HWND types = GetDlgItem(dialog, kFileTypeControl);
  const LRESULT current = types != nullptr ? SendMessageW(types, CB_GETCURSEL, 0, 0) : CB_ERR;
  std::uint32_t filterIndex = current == CB_ERR ? 1u : static_cast<std::uint32_t>(current + 1);
  std::string files(kAnswerBytes, '\0');
  const int chosen = answers.openFile != nullptr
                         ? answers.openFile(Utf16ToUtf8(WindowText(dialog)).c_str(), files.data(), files.size(),
                                            &filterIndex)
                         : 0;
  files.back() = '\0';
  const std::u16string answer = chosen == 1 ? Utf8ToUtf16(files.c_str()) : std::u16string();
  std::vector<std::u16string> paths;
  for (std::u16string_view rest = answer; !rest.empty();) {
    const std::size_t end = std::min(rest.find(u'\n'), rest.size());
    if (end > 0) paths.emplace_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  if (paths.empty()) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return;
  }
  if (types != nullptr && filterIndex > 0) {
    SendMessageW(types, CB_SETCURSEL, filterIndex - 1, 0);
    // Wine's dialog takes the new type on CBN_SELENDOK, Windows' on CBN_SELCHANGE.
    for (const WORD notification : {WORD{CBN_SELCHANGE}, WORD{CBN_SELENDOK}}) {
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeControl, notification), reinterpret_cast<LPARAM>(types));
    }
  }
  std::u16string text = paths.front();
  if (paths.size() > 1) {
    const std::size_t folderEnd = paths.front().find_last_of(u"\\/");
    const std::u16string folder = paths.front().substr(0, folderEnd);
    SetDlgItemTextW(dialog, kFileNameControl, Wide(folder));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    Sleep(kNavigateMs);
    text.clear();
    for (const std::u16string& path : paths) {
      text += (text.empty() ? u"\"" : u" \"") + path.substr(path.find_last_of(u"\\/") + 1) + u"\"";
    }
  }
  SetDlgItemTextW(dialog, kFileNameControl, Wide(text));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

struct DialogSearch {
  HWND answered;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<DialogSearch*>(context);
  if (window == search.answered || !IsWindowVisible(window) || !HasClass(window, L"#32770")) return TRUE;
  search.found = window;
  return FALSE;
}

class ThreadDialogDriver final : public DialogDriver {
 public:
  explicit ThreadDialogDriver(const VorlaneStandInDialogAnswers& answers)
      : answers_(answers), hostThread_(GetCurrentThreadId()) {
    thread_ = CreateThread(nullptr, 0, &ThreadDialogDriver::Run, this, 0, nullptr);
  }
  ~ThreadDialogDriver() override {
    stop_ = true;
    if (thread_ != nullptr) {
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
    }
  }
  ThreadDialogDriver(const ThreadDialogDriver&) = delete;
  ThreadDialogDriver& operator=(const ThreadDialogDriver&) = delete;

 private:
  static DWORD WINAPI Run(LPVOID self) {
    static_cast<ThreadDialogDriver*>(self)->Watch();
    return 0;
  }

  // One dialog at a time: answered once, then left alone until it has gone.
  void Watch() {
    HWND answered = nullptr;
    while (!stop_) {
      if (answered != nullptr && !IsWindow(answered)) answered = nullptr;
      DialogSearch search{answered, nullptr};
      EnumThreadWindows(hostThread_, &FindDialog, reinterpret_cast<LPARAM>(&search));
      // A dialog is answered once it has set itself up, and only as what it is: one that is not ready yet,
      // or not yet recognisable, is looked at again at the next poll, however slow the machine.
      if (search.found != nullptr && answered == nullptr && SetUp(search.found)) {
        if (IsFolderBrowser(search.found)) {
          AnswerFolderBrowser(search.found, answers_);
          answered = search.found;
        } else if (IsOpenFileDialog(search.found)) {
          Sleep(kOpenFileSettleMs);
          AnswerOpenFile(search.found, answers_);
          answered = search.found;
        }
      }
      Sleep(kPollMs);
    }
  }

  const VorlaneStandInDialogAnswers& answers_;
  const DWORD hostThread_;
  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
};

}  // namespace

std::unique_ptr<DialogDriver> DriveDialogs(const VorlaneStandInDialogAnswers& answers) {
  return std::make_unique<ThreadDialogDriver>(answers);
}

}  // namespace platform
