// POSIX: no fault guard (a call runs unguarded); pages are probed by letting the kernel copy from them.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/processor_faults.h"
#include "processor_faults_os.h"

namespace platform {

bool CatchesProcessorFaults() { return false; }

bool RunCatchingProcessorFaults(void (*call)(void*), void* context) noexcept {
  call(context);
  return true;
}

std::size_t detail::PageBytes() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

// The kernel answers EFAULT where a read of ours would raise SIGSEGV: no signal handler is needed, and the
// sanitizers see an ordinary system call.
bool detail::PageReadable(const void* address) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  ssize_t written = 0;
  do {
    written = write(pipeEnds[1], address, 1);
  } while (written < 0 && errno == EINTR);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  return written == 1;
}

}  // namespace platform
