// Windows: three committed pages, the last one made PAGE_NOACCESS.
#include "no_access_page.h"

#include <windows.h>

#include <stdexcept>

namespace vorlane::test {

NoAccessPage::NoAccessPage() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  page_ = info.dwPageSize;
  void* base = VirtualAlloc(nullptr, 3 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (base == nullptr) throw std::runtime_error("VirtualAlloc failed");
  readable_ = static_cast<char*>(base);
  std::memset(readable_, 'x', 2 * page_);
  DWORD before = 0;
  if (!VirtualProtect(readable_ + 2 * page_, page_, PAGE_NOACCESS, &before)) {
    VirtualFree(base, 0, MEM_RELEASE);
    throw std::runtime_error("VirtualProtect failed");
  }
}

NoAccessPage::~NoAccessPage() { VirtualFree(readable_, 0, MEM_RELEASE); }

}  // namespace vorlane::test
