// Windows: a stand-in Cleaner 5 automation server for tests, an out-of-process COM server started by
// COM. It answers IsReady with 0 until 2 s after its start, and appends each path AddFile receives
// (UTF-8, one per line) to "addfile.txt" beside itself, after a line "waited" when it answered "not
// ready" at least once. It ends when its object is released, or after 90 s.
#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr DWORD kReadyAfterMs = 2000;
const CLSID kClassId = {0x50D994EE, 0x8834, 0x11D3, {0x8B, 0xBE, 0x00, 0x00, 0xE8, 0x5F, 0x33, 0x2D}};
const IID kInterfaceId = {0x50D994ED, 0x8834, 0x11D3, {0x8B, 0xBE, 0x00, 0x00, 0xE8, 0x5F, 0x33, 0x2D}};

DWORD g_start = 0;
DWORD g_mainThread = 0;
std::wstring g_record;
bool g_waited = false;

void Append(const std::string& line) {
  std::ofstream out(std::filesystem::path(g_record), std::ios::binary | std::ios::app);
  out << line << "\n";
}

std::string Utf8(const wchar_t* text, UINT length) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
  if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), bytes, nullptr, nullptr);
  return out;
}

// The function table as the interface description lays it out, entries 1 to 14.
class Encoder final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kInterfaceId)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  virtual HRESULT STDMETHODCALLTYPE Entry8() { return E_NOTIMPL; }
  virtual HRESULT STDMETHODCALLTYPE Entry9() { return E_NOTIMPL; }
  virtual HRESULT STDMETHODCALLTYPE Entry10() { return E_NOTIMPL; }
  virtual HRESULT STDMETHODCALLTYPE Entry11() { return E_NOTIMPL; }
  virtual HRESULT STDMETHODCALLTYPE AddFile(BSTR path) {
    if (g_waited) {
      Append("waited");
      g_waited = false;
    }
    Append(path != nullptr ? Utf8(path, SysStringLen(path)) : std::string("(null)"));
    return S_OK;
  }
  virtual HRESULT STDMETHODCALLTYPE Entry13() { return E_NOTIMPL; }
  virtual HRESULT STDMETHODCALLTYPE IsReady(LONG* ready) {
    *ready = GetTickCount() - g_start >= kReadyAfterMs ? 1 : 0;
    if (*ready == 0) g_waited = true;
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{0};
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return encoder_.QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  Encoder encoder_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  g_start = GetTickCount();
  g_mainThread = GetCurrentThreadId();
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  g_record = std::wstring(self).substr(0, std::wstring(self).find_last_of(L"\\/")) + L"\\addfile.txt";
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
  static Factory factory;
  DWORD cookie = 0;
  if (FAILED(CoRegisterClassObject(kClassId, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie))) return 4;
  SetTimer(nullptr, 0, 90000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageW(&message);
  }
  CoRevokeClassObject(cookie);
  CoUninitialize();
  return 0;
}
