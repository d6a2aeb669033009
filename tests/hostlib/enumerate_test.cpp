// EnumerateDirectory: one callback per matching entry, with its find data and full path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlib/pindle.h"
#include "platform/path.h"
#include "temp_dir.h"

namespace {

struct Found {
  std::u16string name;
  std::u16string fullPath;
  std::uint32_t attributes;
  std::uint64_t size;
  std::uint64_t lastWrite;
};

struct Context {
  std::vector<Found> found;
  int stopAfter = 0;  // 0: never stop
};

int Record(const HostFindData* data, const char16_t* fullPath, std::uintptr_t, void* context) {
  auto& c = *static_cast<Context*>(context);
  c.found.push_back({data->fileName, fullPath, data->attributes,
                     std::uint64_t{data->sizeHigh} << 32 | data->sizeLow,
                     std::uint64_t{data->lastWriteTime.high} << 32 | data->lastWriteTime.low});
  return c.stopAfter != 0 && static_cast<int>(c.found.size()) >= c.stopAfter ? 0 : 1;
}

class EnumerateTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile(u"b.avi", std::string(4096, 'x'));
    dir_.WriteFile(u"A.AVI", "small");
    dir_.WriteFile(u"c.mxf", "m");
    dir_.MakeDir(u"x.avi");
  }
  std::u16string Pattern(const char16_t* pattern) const {
    return dir_.Path() + platform::PathSeparator() + pattern;
  }
  vorlane::test::TempDir dir_;
};

TEST_F(EnumerateTest, ReportsMatchingFilesAndDirectoriesWithFindDataAndFullPath) {
  Context context;
  EXPECT_EQ(EnumerateDirectory(&Record, Pattern(u"*.avi").c_str(), 0xB0, 3, &context), 3);
  ASSERT_EQ(context.found.size(), 3u);
  // Sorted without regard to case, as the platform's search yields them.
  EXPECT_EQ(context.found[0].name, u"A.AVI");
  EXPECT_EQ(context.found[1].name, u"b.avi");
  EXPECT_EQ(context.found[2].name, u"x.avi");
  EXPECT_EQ(context.found[1].fullPath, dir_.Path() + platform::PathSeparator() + u"b.avi");
  EXPECT_EQ(context.found[1].size, 4096u);
  EXPECT_EQ(context.found[1].attributes & 0x10, 0u);
  EXPECT_NE(context.found[1].lastWrite, 0u);
  EXPECT_EQ(context.found[2].attributes & 0x10, 0x10u) << "a directory carries the directory bit";
}

TEST_F(EnumerateTest, ModeAndMaskSelectEntries) {
  struct Case {
    std::uint32_t mask;
    int mode;
    std::size_t expected;
  } cases[] = {{0xB0, 1, 2}, {0xB0, 2, 1}, {0x10, 3, 1}, {0x20, 3, 2}, {0x01, 3, 0}};
  for (const Case& c : cases) {
    Context context;
    EnumerateDirectory(&Record, Pattern(u"*.AVI").c_str(), c.mask, c.mode, &context);
    EXPECT_EQ(context.found.size(), c.expected) << "mask " << c.mask << " mode " << c.mode;
  }
}

TEST_F(EnumerateTest, StopsWhenTheCallbackSaysSoAndSurvivesBadInput) {
  Context context;
  context.stopAfter = 1;
  EXPECT_EQ(EnumerateDirectory(&Record, Pattern(u"*").c_str(), 0xB0, 3, &context), 1);
  EXPECT_EQ(EnumerateDirectory(&Record, Pattern(u"missing/*.avi").c_str(), 0xB0, 3, &context), 0);
  EXPECT_EQ(EnumerateDirectory(nullptr, Pattern(u"*").c_str(), 0xB0, 3, &context), 0);
  EXPECT_EQ(EnumerateDirectory(&Record, nullptr, 0xB0, 3, &context), 0);
}

}  // namespace
