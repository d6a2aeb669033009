#include "platform/path.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/os_rules.h"

namespace {

using platform::NativeSeparators;

struct SplitCase {
  const char16_t* path;  // written with "\\", turned into this build's separators
  const char16_t* directory;
  const char16_t* fileName;
  const char* fault;
};

TEST(PathHelpers, SplitsDirectoryAndFileName) {
  const SplitCase cases[] = {
      {u"\\a\\b.txt", u"\\a\\", u"b.txt", "last separator not kept with the directory"},
      {u"\\a\\b\\", u"\\a\\b\\", u"", "trailing separator taken as a file name"},
      {u"b.txt", u"", u"b.txt", "bare name given a directory"},
      {u"", u"", u"", "empty path"},
      {u"\\", u"\\", u"", "root alone"},
      {u"a\\\\b", u"a\\\\", u"b", "doubled separator"},
  };
  for (const SplitCase& c : cases) {
    const std::u16string path = NativeSeparators(c.path);
    EXPECT_EQ(platform::DriveAndDirectory(path), NativeSeparators(c.directory)) << c.fault;
    EXPECT_EQ(platform::FileNamePart(path), NativeSeparators(c.fileName)) << c.fault;
  }
}

TEST(PathHelpers, ForwardSlashSplitsOnBothBuilds) {
  EXPECT_EQ(platform::FileNamePart(u"x/y/z.avi"), u"z.avi");
  EXPECT_EQ(platform::DriveAndDirectory(u"x/y/z.avi"), u"x/y/");
  EXPECT_TRUE(platform::EndsWithSeparator(u"x/"));
  EXPECT_FALSE(platform::EndsWithSeparator(u""));
}

TEST(PathHelpers, DriveIsABoundaryOnlyOnWindows) {
  if (platform::PathsHaveDrives()) {
    EXPECT_EQ(platform::DriveAndDirectory(u"C:b.txt"), u"C:");
    EXPECT_EQ(platform::FileNamePart(u"C:b.txt"), u"b.txt");
    EXPECT_EQ(platform::DriveAndDirectory(u"C:\\a\\b.txt"), u"C:\\a\\");
    EXPECT_TRUE(platform::EndsWithSeparator(u"C:\\a\\"));
  } else {
    EXPECT_EQ(platform::DriveAndDirectory(u"C:b.txt"), u"");
    EXPECT_EQ(platform::FileNamePart(u"C:b.txt"), u"C:b.txt");
    EXPECT_FALSE(platform::EndsWithSeparator(u"a\\"));  // a backslash is part of a POSIX name
  }
}

TEST(PathHelpers, FindsMarkerWithoutRegardToCase) {
  const std::u16string path = NativeSeparators(u"\\Plug-Ins\\Moltrin.dll");
  EXPECT_EQ(platform::FindLastPathMarker(path, u"\\moltrin"), 9u);
  EXPECT_EQ(platform::FindLastPathMarker(path, u"\\fennick"), std::u16string::npos);
  // The marker's separator must match a separator, not any character.
  EXPECT_EQ(platform::FindLastPathMarker(u"xmoltrin", u"\\moltrin"), std::u16string::npos);
  EXPECT_EQ(platform::FindLastPathMarker(u"ab", u"\\abc"), std::u16string::npos);
  // The last occurrence wins: a folder above the module named after the plug-in must not move its files.
  EXPECT_EQ(platform::FindLastPathMarker(NativeSeparators(u"\\MOLTRIN\\moltrin"), u"\\moltrin"), 8u);
  EXPECT_EQ(platform::FindLastPathMarker(NativeSeparators(u"\\Moltrin-plugins\\mod\\Moltrin.dll"), u"\\moltrin"),
            20u);
  if (platform::PathsHaveDrives()) {
    EXPECT_EQ(platform::FindLastPathMarker(u"c:/x/moltrin", u"\\moltrin"), 4u);
  }
}

TEST(PathHelpers, NativeSeparatorsOnlyReplacesBackslashes) {
  EXPECT_EQ(NativeSeparators(u"Dovrel\\"), std::u16string(u"Dovrel") + platform::PathSeparator());
  EXPECT_EQ(NativeSeparators(u"a/b"), u"a/b");
}

}  // namespace
