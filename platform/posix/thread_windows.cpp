// POSIX: no thread owns windows, so the list is always empty.
#include "platform/thread_windows.h"

namespace platform {
namespace {
struct EmptyWindowList {};
}  // namespace

void* DisableThreadWindowList(std::uint32_t) { return new EmptyWindowList; }

void EnableThreadWindowList(void* list) { delete static_cast<EmptyWindowList*>(list); }

}  // namespace platform
