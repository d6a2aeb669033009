#pragma once
// A clock that only moves when the code under test sleeps (or the test advances it).
#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace platform::fake {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::uint32_t start = 0) : now(start) {}

  std::uint32_t TickCount() override {
    ++tickReads;
    const std::uint32_t reading = now;
    now += stepPerRead;  // wraps like the real tick count
    return reading;
  }
  void Sleep(std::uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
  void Advance(std::uint32_t ms) { now += ms; }

  std::uint32_t now;
  std::uint32_t stepPerRead = 0;  // time that passes with every reading, for busy-wait loops
  std::uint32_t tickReads = 0;
  std::vector<std::uint32_t> sleeps;
};

}  // namespace platform::fake
