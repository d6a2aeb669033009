// POSIX: three anonymous pages, the last one made PROT_NONE.
#include "no_access_page.h"

#include <sys/mman.h>
#include <unistd.h>

#include <stdexcept>

namespace vorlane::test {

NoAccessPage::NoAccessPage() : page_(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))) {
  void* base = mmap(nullptr, 3 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) throw std::runtime_error("mmap failed");
  readable_ = static_cast<char*>(base);
  std::memset(readable_, 'x', 2 * page_);
  if (mprotect(readable_ + 2 * page_, page_, PROT_NONE) != 0) {
    munmap(base, 3 * page_);
    throw std::runtime_error("mprotect failed");
  }
}

NoAccessPage::~NoAccessPage() { munmap(readable_, 3 * page_); }

}  // namespace vorlane::test
