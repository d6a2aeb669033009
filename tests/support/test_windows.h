#pragma once
// Real windows for one test, so that the real window lookups have something to find: top-level and
// child windows of classes registered for the test, hidden, destroyed with the object. POSIX: there
// are no real windows; nothing is made.
#include <memory>
#include <string_view>

#include "platform/window.h"

namespace vorlane::test {

class TestWindows {
 public:
  TestWindows();
  ~TestWindows();
  TestWindows(const TestWindows&) = delete;
  TestWindows& operator=(const TestWindows&) = delete;

  // Whether this build has real windows to make.
  static bool Exist();

  platform::WindowHandle AddTopLevel(std::u16string_view className, std::u16string_view title);
  platform::WindowHandle AddChild(platform::WindowHandle parent, std::u16string_view className);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vorlane::test
