// The placeholder window a prepared drag puts in the application's active-window slot, against the real
// windows: made only when the slot is empty, taken away only by the drag that made it. Where the build
// has no windows (POSIX), nothing can be prepared.
#include <gtest/gtest.h>

#include <span>

#include "platform/system.h"
#include "window_titles.h"

namespace {

int Placeholders() { return vorlane::test::ThreadWindowsTitled(u"Dummy wnd for OLE drag n drop"); }

std::unique_ptr<platform::PreparedDrag> Prepare() {
  return platform::RealSystem().dragDrop.Prepare(64, [](std::span<std::uint8_t>) {});
}

TEST(DragPlaceholder, FillsOnlyAnEmptySlotAndLeavesWithTheDragThatMadeIt) {
  if (!platform::RealSystem().windows.Available()) GTEST_SKIP() << "no windows on this build";
  ASSERT_EQ(Placeholders(), 0);
  std::unique_ptr<platform::PreparedDrag> first = Prepare();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Placeholders(), 1) << "an empty slot gets a placeholder";

  std::unique_ptr<platform::PreparedDrag> second = Prepare();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(Placeholders(), 1) << "a filled slot is left alone: no second placeholder";
  second.reset();
  EXPECT_EQ(Placeholders(), 1) << "a drag that made no placeholder takes none away";
  std::unique_ptr<platform::PreparedDrag> third = Prepare();
  EXPECT_EQ(Placeholders(), 1) << "the slot must still be filled after a drag that did not fill it ended";

  first.reset();
  EXPECT_EQ(Placeholders(), 0) << "the drag that made the placeholder takes it away";
  third.reset();
  std::unique_ptr<platform::PreparedDrag> fourth = Prepare();
  EXPECT_EQ(Placeholders(), 1) << "an emptied slot is filled again";
  fourth.reset();
  EXPECT_EQ(Placeholders(), 0);
}

}  // namespace
