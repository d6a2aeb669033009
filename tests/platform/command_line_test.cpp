#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line_cases.h"

namespace {

TEST(CommandLine, SplitsByTheWindowsArgumentRules) {
  for (const vorlane::test::CommandLineCase& c : vorlane::test::kCommandLineCases) {
    std::vector<std::u16string> expected{c.program};
    expected.insert(expected.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(platform::SplitCommandLine(c.line), expected) << c.fault;
  }
}

TEST(CommandLine, ProgramNameKnowsNoEscapes) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(platform::SplitCommandLine(u"\"C:\\Program Files\\p.exe\" a"), (V{u"C:\\Program Files\\p.exe", u"a"}));
  EXPECT_EQ(platform::SplitCommandLine(u"C:\\dir\\\"x y\" z"), (V{u"C:\\dir\\x y", u"z"}));
  EXPECT_EQ(platform::SplitCommandLine(u"  \t "), V{});
  EXPECT_EQ(platform::SplitCommandLine(u""), V{});
}

}  // namespace
