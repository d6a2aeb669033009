// Windows: the class key under HKEY_CLASSES_ROOT and LoadTypeLibEx's own registration of the library.
#include <windows.h>
#include <oleauto.h>

#include "com_registration.h"

namespace vorlane::test {
namespace {

std::wstring W(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

bool RegisterLocalServer(const std::u16string& classId, const std::u16string& serverPath,
                         const std::u16string& typeLibraryPath) {
  const std::wstring key = L"CLSID\\" + W(classId) + L"\\LocalServer32";
  const std::wstring server = W(serverPath);
  if (RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, server.c_str(),
                      static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
    return false;
  }
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(W(typeLibraryPath).c_str(), REGKIND_REGISTER, &library))) return false;
  library->Release();
  return true;
}

}  // namespace vorlane::test
