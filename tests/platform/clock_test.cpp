#include "platform/clock.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_clock.h"
#include "platform/system.h"

namespace {

TEST(Clock, FakeMovesOnlyWhenSleptAndWraps) {
  platform::fake::FakeClock clock(0xFFFFFFF0u);
  EXPECT_EQ(clock.TickCount(), 0xFFFFFFF0u);
  EXPECT_EQ(clock.TickCount(), 0xFFFFFFF0u);
  clock.Sleep(0x20);
  // Elapsed time survives the wrap when computed in 32 bits, as callers must.
  EXPECT_EQ(clock.TickCount() - 0xFFFFFFF0u, 0x20u);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{0x20});
  clock.stepPerRead = 100;
  const std::uint32_t first = clock.TickCount();
  EXPECT_EQ(clock.TickCount() - first, 100u);
}

TEST(Clock, RealSleepAdvancesTheTickCount) {
  platform::Clock& clock = platform::RealSystem().clock;
  const std::uint32_t before = clock.TickCount();
  clock.Sleep(50);
  const std::uint32_t elapsed = clock.TickCount() - before;
  EXPECT_GE(elapsed, 30u);  // the tick count moves in steps of up to 16 ms on Windows
  EXPECT_LT(elapsed, 10000u);
}

}  // namespace
