// Path splitting, the file test, the application object and the render directory of the stand-ins.
#include <gtest/gtest.h>

#include <string>

#include "hostlib/corvana.h"
#include "hostlib/ruskane.h"
#include "hostlib/standin.h"
#include "platform/path.h"
#include "temp_dir.h"

namespace {

constexpr char16_t kGuard = u'#';

// Splits into a 260-character destination inside a guarded buffer; returns the text and checks the guard.
std::u16string Split(void (*split)(char16_t*, const char16_t*), const std::u16string& path) {
  std::u16string buffer(262, kGuard);
  split(&buffer[1], path.c_str());
  EXPECT_EQ(buffer[0], kGuard);
  EXPECT_EQ(buffer[261], kGuard) << "wrote past 260 characters";
  return std::u16string(buffer.c_str() + 1);
}

TEST(SplitTest, DirectoryKeepsItsSeparatorAndFileNameIsTheRest) {
  const std::u16string sep(1, platform::PathSeparator());
  const std::u16string path = sep + u"media" + sep + u"watch" + sep + u"take1.mxf";
  EXPECT_EQ(Split(&SplitDirectory, path), sep + u"media" + sep + u"watch" + sep);
  EXPECT_EQ(Split(&SplitFileName, path), u"take1.mxf");
  EXPECT_EQ(Split(&SplitDirectory, u"take1.mxf"), u"");
  EXPECT_EQ(Split(&SplitFileName, u""), u"");
}

TEST(SplitTest, PartsOf259FitAndLongerPartsAreNotCut) {
  const std::u16string sep(1, platform::PathSeparator());
  // Directory of exactly 259 characters (with its separator) fits with its terminator.
  const std::u16string dir259 = sep + std::u16string(257, u'd') + sep;
  EXPECT_EQ(Split(&SplitDirectory, dir259 + u"f.mxf"), dir259);
  // One more character would be cut: a cut directory names another folder, so nothing is stored.
  EXPECT_EQ(Split(&SplitDirectory, sep + std::u16string(258, u'd') + sep + u"f.mxf"), u"");
  EXPECT_EQ(Split(&SplitFileName, sep + std::u16string(259, u'n')), std::u16string(259, u'n'));
  EXPECT_EQ(Split(&SplitFileName, sep + std::u16string(260, u'n')), u"");
}

TEST(HostFileExistsTest, TrueOnlyForExistingFiles) {
  vorlane::test::TempDir dir;
  dir.WriteFile(u"take1.wav", "RIFF");
  dir.MakeDir(u"folder");
  EXPECT_NE(HostFileExists(dir.Join(u"take1.wav").c_str()), 0);
  EXPECT_EQ(HostFileExists(dir.Join(u"take2.wav").c_str()), 0);
  EXPECT_EQ(HostFileExists(dir.Join(u"folder").c_str()), 0);
  EXPECT_EQ(HostFileExists(u""), 0);
  EXPECT_EQ(HostFileExists(nullptr), 0);
}

TEST(HostApplicationTest, PresentOnlyWithADefaultDirectory) {
  CorvanaStandInSetAppDirectory(nullptr);
  EXPECT_EQ(GetHostApplication(), nullptr);
  CorvanaStandInSetAppDirectory(u"/projects/");
  ASSERT_NE(GetHostApplication(), nullptr);
  EXPECT_EQ(std::u16string(HostApplicationDefaultDirectory(GetHostApplication())), u"/projects/");
  CorvanaStandInSetAppDirectory(nullptr);
  EXPECT_EQ(GetHostApplication(), nullptr);
}

TEST(RenderPathTest, SetEndsInASeparatorUnsetOrTooLongFails) {
  const std::u16string sep(1, platform::PathSeparator());
  std::u16string buffer(261, kGuard);
  RuskaneStandInSetRenderPath(nullptr);
  EXPECT_EQ(QueryDefaultRenderPath(buffer.data()), 0);

  RuskaneStandInSetRenderPath((sep + u"render").c_str());
  ASSERT_NE(QueryDefaultRenderPath(buffer.data()), 0);
  EXPECT_EQ(std::u16string(buffer.c_str()), sep + u"render" + sep);

  buffer.assign(261, kGuard);
  RuskaneStandInSetRenderPath((sep + std::u16string(258, u'r')).c_str());  // 260 with its separator
  EXPECT_EQ(QueryDefaultRenderPath(buffer.data()), 0);
  EXPECT_EQ(buffer[0], kGuard);
  RuskaneStandInSetRenderPath(nullptr);
}

}  // namespace
