// Windows: OleInitialize on the calling thread, and local-server objects called through their
// function tables.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <new>
#include <string>

#include "real_parts.h"
#include "wide.h"

namespace platform {
namespace {

constexpr int kFirstOwnEntry = 4;  // entries 1 to 3 are IUnknown's

class Win32AutomationObject final : public AutomationObject {
 public:
  explicit Win32AutomationObject(IUnknown* object) : object_(object) {}
  Win32AutomationObject(const Win32AutomationObject&) = delete;
  Win32AutomationObject& operator=(const Win32AutomationObject&) = delete;
  ~Win32AutomationObject() override { object_->Release(); }

  std::int32_t CallWithString(int slot, std::u16string_view text) override {
    if (slot < kFirstOwnEntry || text.size() > UINT_MAX) return E_INVALIDARG;
    BSTR string = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    if (string == nullptr) return kOutOfMemory;
    using Entry = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, BSTR);
    const HRESULT result = EntryAt<Entry>(slot)(object_, string);
    SysFreeString(string);
    return result;
  }

  LongAnswer CallWithLongOut(int slot) override {
    if (slot < kFirstOwnEntry) return {E_INVALIDARG, 0};
    LONG value = 0;
    using Entry = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, LONG*);
    const HRESULT result = EntryAt<Entry>(slot)(object_, &value);
    return {result, value};
  }

 private:
  // Entry `slot`, counted from 1, of the object's function table.
  template <class Entry>
  Entry EntryAt(int slot) const {
    void** table = *reinterpret_cast<void***>(object_);
    return reinterpret_cast<Entry>(table[slot - 1]);
  }

  IUnknown* object_;
};

class Win32Automation final : public Automation {
 public:
  bool InitializeOle() override {
    const HRESULT result = OleInitialize(nullptr);
    return result == S_OK || result == S_FALSE;
  }
  void UninitializeOle() override { OleUninitialize(); }

  std::unique_ptr<AutomationObject> Create(std::u16string_view classId, std::u16string_view interfaceId) override {
    CLSID classGuid{};
    IID interfaceGuid{};
    const std::u16string classText(classId);
    const std::u16string interfaceText(interfaceId);
    if (FAILED(CLSIDFromString(const_cast<LPOLESTR>(Wide(classText)), &classGuid)) ||
        FAILED(IIDFromString(const_cast<LPOLESTR>(Wide(interfaceText)), &interfaceGuid))) {
      return nullptr;
    }
    void* object = nullptr;
    if (FAILED(CoCreateInstance(classGuid, nullptr, CLSCTX_LOCAL_SERVER, interfaceGuid, &object)) ||
        object == nullptr) {
      return nullptr;
    }
    auto* wrapper = new (std::nothrow) Win32AutomationObject(static_cast<IUnknown*>(object));
    if (wrapper == nullptr) static_cast<IUnknown*>(object)->Release();
    return std::unique_ptr<AutomationObject>(wrapper);
  }
};

}  // namespace

Automation& RealAutomation() {
  static Win32Automation automation;
  return automation;
}

}  // namespace platform
