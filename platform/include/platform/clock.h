#pragma once
// Tick count and pauses, so that waits can run on a fake clock in tests.
#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t TickCount() = 0;  // milliseconds, wraps like GetTickCount
  virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace platform
