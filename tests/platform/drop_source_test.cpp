// The drop source's answer: a drop only while the cursor lies strictly inside the target window.
#include <gtest/gtest.h>

#include "platform/dragdrop.h"
#include "platform/fake/fake_windows.h"

namespace {

using platform::Point;

TEST(ContinueDragAnswer, DropsOnlyStrictlyInsideTheTarget) {
  platform::fake::FakeWindows windows;
  const platform::WindowHandle target = reinterpret_cast<platform::WindowHandle>(0x10);
  windows.windows.push_back({target, u"MCChildWindowNoClose", u"", nullptr, {100, 200, 300, 400}});
  struct Case {
    const char* fault;
    Point cursor;
    std::uint32_t answer;
  };
  const Case cases[] = {
      {"the centre must drop", {200, 300}, platform::kDragDropDrop},
      {"the corner just inside must drop", {101, 201}, platform::kDragDropDrop},
      {"the left edge is outside", {100, 300}, platform::kDragDropCancel},
      {"the top edge is outside", {200, 200}, platform::kDragDropCancel},
      {"the right edge is outside", {300, 300}, platform::kDragDropCancel},
      {"the bottom edge is outside", {200, 400}, platform::kDragDropCancel},
      {"a point far away is outside", {-5, 300}, platform::kDragDropCancel},
  };
  for (const Case& c : cases) {
    windows.cursor = c.cursor;
    EXPECT_EQ(platform::ContinueDragAnswer(windows, target), c.answer) << c.fault;
  }

  windows.cursor = {200, 300};
  EXPECT_EQ(platform::ContinueDragAnswer(windows, nullptr), platform::kDragDropCancel)
      << "a vanished target must cancel";
  windows.available = false;
  EXPECT_EQ(platform::ContinueDragAnswer(windows, target), platform::kDragDropCancel)
      << "an unreadable cursor must cancel";
}

}  // namespace
