// POSIX: the monotonic clock in milliseconds, and nanosleep.
#include <errno.h>
#include <time.h>

#include "real_parts.h"

namespace platform {
namespace {

class PosixClock final : public Clock {
 public:
  std::uint32_t TickCount() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Cut to 32 bits so that it wraps as GetTickCount does.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
  }

  void Sleep(std::uint32_t ms) override {
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
  }
};

}  // namespace

Clock& RealClock() {
  static PosixClock clock;
  return clock;
}

}  // namespace platform
