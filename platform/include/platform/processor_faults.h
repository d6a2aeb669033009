#pragma once
// Processor faults (access violations, bad instructions, integer division by zero): catching the ones a
// call raises, and telling beforehand whether the host's text can be read without one.
#include <cstddef>

namespace platform {

// Whether RunCatchingProcessorFaults catches faults in this build. Windows: true. POSIX: false.
bool CatchesProcessorFaults();

// Runs `call(context)` on the calling thread. Returns true when it returned, false when a processor fault
// that it raised on this thread was caught: the call is then abandoned where it stood, without running the
// destructors of its frames. A fault that code inside the call handles itself stays with that code; a
// stack overflow is not caught. `call` must not let a C++ exception out. Windows: a frame-based handler
// around the call (structured exceptions). POSIX: the call runs unguarded, and returns true.
bool RunCatchingProcessorFaults(void (*call)(void*), void* context) noexcept;

// Whether every byte of the 8-bit text at `text` up to its terminator, or its first `maxBytes` bytes when
// none comes before, can be read without a fault. False for null. Tests each page the text touches without
// raising a fault, so a readable last byte before an unreadable page counts only when it is the terminator.
// Windows: VirtualQuery. POSIX: the kernel copies a byte of each page into a pipe. Like every probe, the
// answer holds only as long as no other thread changes the memory.
bool ReadableText(const char* text, std::size_t maxBytes);

}  // namespace platform
