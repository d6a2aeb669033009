#pragma once
// Disabling a thread's windows around a modal dialog, as the host's dialog framing does.
#include <cstdint>

namespace platform {

// The id of the calling thread (GetCurrentThreadId); POSIX: the kernel's thread id. Does not block.
std::uint32_t CurrentThreadId();

// Disables every enabled top-level window of thread `threadId` and returns a list of them for
// EnableThreadWindowList (never null). Windows: EnumThreadWindows/EnableWindow. POSIX: there are no
// windows; the list is empty. Does not block.
void* DisableThreadWindowList(std::uint32_t threadId);

// Re-enables the windows of a list from DisableThreadWindowList and frees it; null does nothing.
void EnableThreadWindowList(void* list);

}  // namespace platform
