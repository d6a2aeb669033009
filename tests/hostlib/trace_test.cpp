// HostTrace formatting and its sink.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contract/trace_levels.h"
#include "hostlib/corvana.h"
#include "hostlib/standin.h"

namespace {

struct Line {
  int category;
  int level;
  std::string text;
};

void Collect(int category, int level, const char* utf8Line, void* context) {
  static_cast<std::vector<Line>*>(context)->push_back({category, level, utf8Line});
}

class TraceTest : public testing::Test {
 protected:
  void SetUp() override { CorvanaStandInSetTraceSink(&Collect, &lines_); }
  void TearDown() override { CorvanaStandInSetTraceSink(nullptr, nullptr); }
  std::string Last() const { return lines_.empty() ? "<none>" : lines_.back().text; }
  std::vector<Line> lines_;
};

TEST_F(TraceTest, FormatsTheConversionsThePlugInsUse) {
  HostTrace(contract::kTraceCategory, contract::kTraceEntry, u"%s => szStartupPath: %s\n", u"C:\\x\\fennick.ini", u"D:\\Watch\\");
  EXPECT_EQ(Last(), "C:\\x\\fennick.ini => szStartupPath: D:\\Watch\\\n");
  EXPECT_EQ(lines_.back().category, contract::kTraceCategory);
  EXPECT_EQ(lines_.back().level, contract::kTraceEntry);

  HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, u"time Watch : %08X%08X \r\n", 0x01D9ABCDu, 0x00000F00u);
  EXPECT_EQ(Last(), "time Watch : 01D9ABCD00000F00 \r\n");
  HostTrace(contract::kTraceCategory, contract::kTraceScanDetail, u"skip Clip : %s (Size : %d) \r\n", u"a.avi", 4095);
  EXPECT_EQ(Last(), "skip Clip : a.avi (Size : 4095) \r\n");
  HostTrace(contract::kTraceCategory, contract::kTraceFailure, u"%d %u %x %c %% %i", -7, 4294967295u, 255, u'Z', 3);
  EXPECT_EQ(Last(), "-7 4294967295 ff Z % 3");
}

TEST_F(TraceTest, WidthsFlagsAndPrecision) {
  struct Case {
    const char16_t* format;
    int value;
    const char* expected;
  } cases[] = {
      {u"[%5d]", 42, "[   42]"}, {u"[%-5d]", 42, "[42   ]"}, {u"[%05d]", -42, "[-0042]"},
      {u"[%+d]", 5, "[+5]"},     {u"[%#x]", 255, "[0xff]"}, {u"[%.3d]", 7, "[007]"},
      {u"[%*d]", 3, "[  0]"},
  };
  for (const Case& c : cases) {
    if (c.format == std::u16string(u"[%*d]")) HostTrace(contract::kTraceCategory, contract::kTraceImport, c.format, c.value, 0);
    else HostTrace(contract::kTraceCategory, contract::kTraceImport, c.format, c.value);
    EXPECT_EQ(Last(), c.expected) << c.expected;
  }
  HostTrace(contract::kTraceCategory, contract::kTraceImport, u"[%-6s|%6s|%.2s]", u"ab", u"cd", u"xyz");
  EXPECT_EQ(Last(), "[ab    |    cd|xy]");
}

TEST_F(TraceTest, OddInputIsSafe) {
  HostTrace(contract::kTraceCategory, contract::kTraceImport, u"%s and %q and 100%", static_cast<const char16_t*>(nullptr));
  EXPECT_EQ(Last(), "(null) and %q and 100%");
  HostTrace(contract::kTraceCategory, contract::kTraceImport, u"caf\u00e9 %s", u"\u20ac");
  EXPECT_EQ(Last(), "caf\xc3\xa9 \xe2\x82\xac");
  HostTrace(contract::kTraceCategory, contract::kTraceImport, nullptr);
  EXPECT_EQ(Last(), "");
}

TEST_F(TraceTest, NoSinkDropsTheLine) {
  CorvanaStandInSetTraceSink(nullptr, nullptr);
  HostTrace(contract::kTraceCategory, contract::kTraceEntry, u"STARTUP\n");
  EXPECT_TRUE(lines_.empty());
}

}  // namespace
