// The window lookups of the real windows (where this build has them) and of the fake, held to the same
// rules: class and title compare without regard to case, an absent or empty title matches any, and a
// child search goes on after the child it is given.
#include "platform/window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "platform/fake/fake_windows.h"
#include "platform/system.h"
#include "test_windows.h"

namespace {

using platform::WindowHandle;

constexpr std::u16string_view kMainClass = u"VorlaneTestMain";
constexpr std::u16string_view kChildClass = u"VorlaneTestChild";
constexpr std::u16string_view kTitle = u"Vorlane Test Window";

struct Made {
  WindowHandle main = nullptr;
  WindowHandle firstChild = nullptr;
  WindowHandle secondChild = nullptr;
};

void ExpectSameRules(platform::Windows& windows, const Made& made) {
  ASSERT_NE(made.main, nullptr);
  struct TopLevelCase {
    const char* fault;
    std::u16string_view className;
    std::optional<std::u16string_view> title;
    bool found;
  };
  const TopLevelCase cases[] = {
      {"class and title as created", kMainClass, kTitle, true},
      {"class compared with case", u"vorlanetestmain", kTitle, true},
      {"title compared with case", kMainClass, u"VORLANE TEST WINDOW", true},
      {"absent title not matching any", kMainClass, std::nullopt, true},
      {"empty title taken as a title to match", u"VORLANETESTMAIN", u"", true},
      {"another title matching", kMainClass, u"Vorlane Test Window 2", false},
      {"a prefix of the class matching", u"VorlaneTestMai", std::nullopt, false},
      {"a child found as a top-level window", kChildClass, std::nullopt, false},
  };
  for (const TopLevelCase& c : cases) {
    EXPECT_EQ(windows.FindTopLevel(c.className, c.title), c.found ? made.main : nullptr) << c.fault;
  }

  const WindowHandle first = windows.FindChild(made.main, nullptr, u"vorlanetestchild");
  const WindowHandle second = windows.FindChild(made.main, first, u"VORLANETESTCHILD");
  EXPECT_EQ((std::set<WindowHandle>{first, second}), (std::set<WindowHandle>{made.firstChild, made.secondChild}))
      << "each child once, whatever the case of the class";
  EXPECT_EQ(windows.FindChild(made.main, second, kChildClass), nullptr) << "the search ends after the last child";
  EXPECT_EQ(windows.FindChild(made.main, nullptr, kMainClass), nullptr) << "only children of the given class";
}

TEST(Windows, RealWindowsFollowTheRules) {
  if (!vorlane::test::TestWindows::Exist()) GTEST_SKIP() << "no real windows here";
  vorlane::test::TestWindows test;
  Made made;
  made.main = test.AddTopLevel(kMainClass, kTitle);
  made.firstChild = test.AddChild(made.main, kChildClass);
  made.secondChild = test.AddChild(made.main, kChildClass);
  ExpectSameRules(platform::RealSystem().windows, made);
}

TEST(Windows, FakeKeepsTheSameRules) {
  const auto handle = [](std::uintptr_t value) { return reinterpret_cast<WindowHandle>(value); };
  const Made made{handle(0x10), handle(0x11), handle(0x12)};
  platform::fake::FakeWindows windows;
  windows.windows = {{made.main, std::u16string(kMainClass), std::u16string(kTitle), nullptr, {}},
                     {made.firstChild, std::u16string(kChildClass), u"", made.main, {}},
                     {made.secondChild, std::u16string(kChildClass), u"", made.main, {}}};
  ExpectSameRules(windows, made);
}

}  // namespace
