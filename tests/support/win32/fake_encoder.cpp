// Windows: a stand-in batch encoder for tests. Its own file name says which encoder it plays
// ("MediaCleanerEZ.exe", "MediaCleanerPro.exe", "cleanerEZ5.exe"): it opens a main window of class
// "MainClassW" with that encoder's title, an MDI client and the batch document window, which takes OLE
// drops of dropped-files blocks. Beside itself it writes "command-line.txt" (its command line) at start
// and "dropped.txt" (one dropped path per line, UTF-8) after the first drop; then it ends. It also ends
// on its own after 90 s, or after the seconds that an argument "give-up=SECONDS" names (a slow machine).
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <atomic>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

struct Role {
  const wchar_t* fileName;
  const wchar_t* title;
  const wchar_t* documentClass;
};

constexpr Role kRoles[] = {
    {L"mediacleanerez.exe", L"Media Cleaner EZ", L"MCChildWindowNoClose"},
    {L"mediacleanerpro.exe", L"Media Cleaner Pro", L"MCChildWindowNoClose"},
    {L"cleanerez5.exe", L"Cleaner EZ", L"MCChildWindowNoCloseT"},
};

HWND g_main = nullptr;
HWND g_client = nullptr;
std::wstring g_folder;

std::string Utf8(const std::wstring& text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(bytes > 0 ? static_cast<std::size_t>(bytes - 1) : 0, '\0');
  if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), bytes, nullptr, nullptr);
  return out;
}

// Written under a temporary name and renamed, so that a test never reads half a record.
void WriteRecord(const wchar_t* name, const std::string& text) {
  const std::wstring file = g_folder + L"\\" + name;
  {
    std::ofstream out(std::filesystem::path(file + L".part"), std::ios::binary | std::ios::trunc);
    out << text;
  }
  MoveFileExW((file + L".part").c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

class DropTarget final : public IDropTarget {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives as long as the program
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    *effect = DROPEFFECT_NONE;
    if (FAILED(data->GetData(&format, &medium))) return S_OK;
    std::string lines;
    HDROP drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
      path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
      lines += Utf8(path) + "\n";
    }
    ReleaseStgMedium(&medium);
    WriteRecord(L"dropped.txt", lines);
    *effect = DROPEFFECT_COPY;
    PostMessageW(g_main, WM_CLOSE, 0, 0);
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
};

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefFrameProcW(window, g_client, message, wParam, lParam);
}

LRESULT CALLBACK DocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProcW(window, message, wParam, lParam);
}

void CALLBACK GiveUp(HWND window, UINT, UINT_PTR, DWORD) { DestroyWindow(window); }

const Role* RoleOf(const std::wstring& path) {
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  CharLowerW(name.data());
  for (const Role& role : kRoles) {
    if (name == role.fileName) return &role;
  }
  return nullptr;
}

UINT GiveUpMs(const wchar_t* commandLine) {
  constexpr std::wstring_view kArgument = L"give-up=";
  const wchar_t* given = std::wcsstr(commandLine, kArgument.data());
  const unsigned long seconds = given != nullptr ? std::wcstoul(given + kArgument.size(), nullptr, 10) : 0;
  return seconds > 0 && seconds < 3600 ? static_cast<UINT>(seconds * 1000) : 90000;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const Role* role = RoleOf(self);
  if (role == nullptr) return 2;
  g_folder = std::wstring(self).substr(0, std::wstring(self).find_last_of(L"\\/"));
  if (FAILED(OleInitialize(nullptr))) return 3;

  WNDCLASSW frame{};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = instance;
  frame.lpszClassName = L"MainClassW";
  frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  WNDCLASSW document{};
  document.lpfnWndProc = DocumentProc;
  document.hInstance = instance;
  document.lpszClassName = role->documentClass;
  document.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (RegisterClassW(&frame) == 0 || RegisterClassW(&document) == 0) return 4;

  // The encoder's title comes last, when the drop target is registered: a search by title then finds
  // a window that is ready to take the drop.
  g_main = CreateWindowExW(0, L"MainClassW", L"Starting", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 640, 480,
                           nullptr, nullptr, instance, nullptr);
  CLIENTCREATESTRUCT client{nullptr, 1000};
  g_client = CreateWindowExW(0, L"MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 600, 400,
                             g_main, nullptr, instance, &client);
  HWND batch = CreateMDIWindowW(role->documentClass, L"Batch", WS_VISIBLE, 10, 10, 400, 300, g_client, instance, 0);
  if (g_main == nullptr || g_client == nullptr || batch == nullptr) return 5;
  DropTarget target;
  if (FAILED(RegisterDragDrop(batch, &target))) return 6;
  WriteRecord(L"command-line.txt", Utf8(GetCommandLineW()));
  SetWindowTextW(g_main, role->title);
  SetTimer(g_main, 1, GiveUpMs(GetCommandLineW()), GiveUp);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  RevokeDragDrop(batch);
  OleUninitialize();
  return 0;
}
