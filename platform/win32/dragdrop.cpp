// Windows: OLE drag and drop with our own drop source and a data object that owns the dropped-files
// block, plus the placeholder window that holds the application's active-window slot during a drag.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <new>

#include "real_parts.h"

namespace platform {
namespace {

constexpr wchar_t kPlaceholderClass[] = L"VorlaneDragPlaceholder";
constexpr wchar_t kPlaceholderTitle[] = L"Dummy wnd for OLE drag n drop";

// The application's active window: empty outside a drop, filled by the drop only when it was empty.
HWND g_activeWindow = nullptr;

FORMATETC DropFilesFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool IsDropFilesFormat(const FORMATETC* format) {
  return format != nullptr && format->cfFormat == CF_HDROP && format->dwAspect == DVASPECT_CONTENT &&
         (format->tymed & TYMED_HGLOBAL) != 0;
}

// Reference counting shared by the two COM objects below.
template <class Interface>
class ComObject : public Interface {
 public:
  virtual ~ComObject() = default;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

 private:
  std::atomic<ULONG> references_{1};
};

class DropSource final : public ComObject<IDropSource> {
 public:
  explicit DropSource(HWND target) : target_(target) {}
  // Neither escape nor the buttons count: the cursor placed over the target decides.
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
    return static_cast<HRESULT>(ContinueDragAnswer(RealWindows(), target_));
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  HWND target_;
};

// Owns the block from construction and frees it with its last reference.
class DropFilesData final : public ComObject<IDataObject> {
 public:
  explicit DropFilesData(HGLOBAL block) : block_(block) {}
  ~DropFilesData() override { GlobalFree(block_); }

  // Every receiver gets a copy of its own, which it frees itself.
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (medium == nullptr) return E_POINTER;
    if (!IsDropFilesFormat(format)) return DV_E_FORMATETC;
    const SIZE_T size = GlobalSize(block_);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr) return E_OUTOFMEMORY;
    void* to = GlobalLock(copy);
    void* from = GlobalLock(block_);
    if (to != nullptr && from != nullptr) std::memcpy(to, from, size);
    if (from != nullptr) GlobalUnlock(block_);
    if (to != nullptr) GlobalUnlock(copy);
    if (to == nullptr || from == nullptr) {
      GlobalFree(copy);
      return E_OUTOFMEMORY;
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return IsDropFilesFormat(format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out != nullptr) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (formats == nullptr) return E_POINTER;
    *formats = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = DropFilesFormat();
    return SHCreateStdEnumFmtEtc(1, &format, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  HGLOBAL block_;
};

// The module this code is linked into (a plug-in or a program), found from one of its own addresses.
HINSTANCE PlaceholderInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&kPlaceholderClass), &module);
  return module;
}

// A hidden, disabled 1 x 1 popup; nothing when its class or the window cannot be made.
HWND CreatePlaceholder() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = PlaceholderInstance();
  windowClass.lpszClassName = kPlaceholderClass;
  if (RegisterClassW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  return CreateWindowExW(0, kPlaceholderClass, kPlaceholderTitle, WS_POPUP | WS_DISABLED, 0, 0, 1, 1, nullptr,
                         nullptr, PlaceholderInstance(), nullptr);
}

class Win32PreparedDrag final : public PreparedDrag {
 public:
  explicit Win32PreparedDrag(DropFilesData* data) : data_(data) {}
  Win32PreparedDrag(const Win32PreparedDrag&) = delete;
  Win32PreparedDrag& operator=(const Win32PreparedDrag&) = delete;
  ~Win32PreparedDrag() override {
    if (placeholder_ != nullptr) {
      g_activeWindow = nullptr;
      DestroyWindow(placeholder_);
    }
    data_->Release();
  }

  // Fills the active-window slot when it is empty; false when the placeholder cannot be made.
  bool HoldActiveWindowSlot() {
    if (g_activeWindow != nullptr) return true;
    placeholder_ = CreatePlaceholder();
    if (placeholder_ == nullptr) return false;
    g_activeWindow = placeholder_;
    return true;
  }

  std::uint32_t Drag(WindowHandle target) override {
    DropSource* source = new DropSource(static_cast<HWND>(target));
    DWORD effect = 0;
    const HRESULT result = DoDragDrop(data_, source, kDropEffectAny, &effect);
    source->Release();
    return result == DRAGDROP_S_DROP ? effect : 0;
  }

 private:
  DropFilesData* data_;
  HWND placeholder_ = nullptr;  // set only when this drag filled the slot
};

class Win32DragDrop final : public DragDrop {
 public:
  std::unique_ptr<PreparedDrag> Prepare(std::size_t bytes,
                                        const std::function<void(std::span<std::uint8_t>)>& fill) override {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (block == nullptr) return nullptr;
    DropFilesData* data = new (std::nothrow) DropFilesData(block);
    if (data == nullptr) {
      GlobalFree(block);
      return nullptr;
    }
    // From here the drag owns the data object, which owns the block.
    std::unique_ptr<Win32PreparedDrag> drag(new (std::nothrow) Win32PreparedDrag(data));
    if (drag == nullptr) {
      data->Release();
      return nullptr;
    }
    void* memory = GlobalLock(block);
    if (memory == nullptr) return nullptr;
    struct Unlock {
      HGLOBAL block;
      ~Unlock() { GlobalUnlock(block); }
    } const unlock{block};
    fill(std::span<std::uint8_t>(static_cast<std::uint8_t*>(memory), bytes));
    if (!drag->HoldActiveWindowSlot()) return nullptr;
    return drag;
  }
};

}  // namespace

DragDrop& RealDragDrop() {
  static Win32DragDrop dragDrop;
  return dragDrop;
}

}  // namespace platform
