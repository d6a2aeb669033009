#pragma once
// Memory that ends where a page the process may not read begins: two readable pages filled with 'x',
// then the unreadable one. Windows: VirtualAlloc, the last page PAGE_NOACCESS; POSIX: mmap, PROT_NONE.
#include <cstddef>
#include <cstring>
#include <string_view>

namespace vorlane::test {

class NoAccessPage {
 public:
  NoAccessPage();  // throws when the memory cannot be had
  ~NoAccessPage();
  NoAccessPage(const NoAccessPage&) = delete;
  NoAccessPage& operator=(const NoAccessPage&) = delete;

  std::size_t PageBytes() const { return page_; }
  // The first byte of the unreadable page.
  const char* Unreadable() const { return readable_ + 2 * page_; }
  // `bytes` copied so that their last byte is the last readable one; returns where they begin.
  const char* PlaceBeforeUnreadable(std::string_view bytes) {
    char* at = readable_ + 2 * page_ - bytes.size();
    std::memcpy(at, bytes.data(), bytes.size());
    return at;
  }
  // Reads the unreadable page: raises a processor fault on purpose.
  void Touch() const { static_cast<void>(*static_cast<const volatile char*>(Unreadable())); }

 private:
  char* readable_ = nullptr;
  std::size_t page_ = 0;
};

}  // namespace vorlane::test
