// POSIX: no thread owns windows, so the list is always empty.
#include "platform/thread_windows.h"

#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {
struct EmptyWindowList {};
}  // namespace

std::uint32_t CurrentThreadId() { return static_cast<std::uint32_t>(syscall(SYS_gettid)); }

void* DisableThreadWindowList(std::uint32_t) { return new EmptyWindowList; }

void EnableThreadWindowList(void* list) { delete static_cast<EmptyWindowList*>(list); }

}  // namespace platform
