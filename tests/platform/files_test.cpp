#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "file_time.h"
#include "held_for_writing.h"
#include "temp_dir.h"

namespace {

using platform::FileEntry;
using vorlane::test::TempDir;

class FilesTest : public ::testing::Test {
 protected:
  std::u16string At(std::u16string_view relative) const { return dir.Join(relative); }
  std::vector<std::u16string> Names(std::u16string_view pattern) {
    std::vector<std::u16string> names;
    for (const FileEntry& e : files.Find(At(pattern))) names.push_back(e.name);
    return names;
  }

  TempDir dir;
  platform::Files& files = platform::RealSystem().files;
};

TEST_F(FilesTest, FindMatchesWithoutCaseAndSortsByName) {
  for (const char16_t* name : {u"b.SRB", u"A.srb", u"c.srb.bak", u"C.srb", u"note.txt"}) dir.WriteFile(name, "x");
  dir.MakeDir(u"sub.srb");
  using V = std::vector<std::u16string>;
  EXPECT_EQ(Names(u"*.srb"), (V{u"A.srb", u"b.SRB", u"C.srb", u"sub.srb"}));
  EXPECT_EQ(Names(u"?.SRB"), (V{u"A.srb", u"b.SRB", u"C.srb"}));
  EXPECT_EQ(Names(u"NOTE.TXT"), V{u"note.txt"});
  EXPECT_EQ(Names(u"*.avi"), V{});
  EXPECT_EQ(Names(u"missing/*.srb"), V{});
  // "*" lists the dot entries too, as a search below a drive root does on Windows.
  const V all = Names(u"*");
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[0], u".");
  EXPECT_EQ(all[1], u"..");
}

TEST_F(FilesTest, EntriesCarryDirectoryBitSizeAndExactFileTime) {
  dir.WriteFile(u"clip.avi", std::string(5000, 'v'));
  dir.MakeDir(u"folder");
  // 2009-02-13 23:31:30.1234567 UTC, to the 100 ns.
  const platform::FileTime expected = (1234567890ull + 11644473600ull) * 10000000ull + 1234567ull;
  ASSERT_TRUE(vorlane::test::SetLastWriteTime(At(u"clip.avi"), expected));

  const auto clip = files.FindFirst(At(u"CLIP.AVI"));
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->name, u"clip.avi");
  EXPECT_FALSE(clip->isDirectory);
  EXPECT_EQ(clip->size, 5000u);
  EXPECT_EQ(clip->lastWriteTime, expected);

  const auto attributes = files.Attributes(At(u"clip.avi"));
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->lastWriteTime, expected);
  EXPECT_EQ(attributes->size, 5000u);

  const auto folder = files.FindFirst(At(u"folder"));
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->isDirectory);
  EXPECT_FALSE(files.Attributes(At(u"none.avi")));
  EXPECT_FALSE(files.FindFirst(At(u"none.avi")));
}

TEST_F(FilesTest, ReachesFilesWhateverTheCaseAndCreatesUnderTheGivenName) {
  dir.WriteFile(u"Plug-Ins/Vorlane.INI", "[CLIP0]\r\n");
  EXPECT_EQ(files.ReadBytes(At(u"plug-ins/vorlane.ini"), 100), "[CLIP0]\r\n");
  EXPECT_TRUE(files.AppendBytes(At(u"PLUG-INS/VORLANE.ini"), "Path=x\r\n"));
  EXPECT_EQ(dir.ReadFile(u"Plug-Ins/Vorlane.INI"), "[CLIP0]\r\nPath=x\r\n");

  // A new file lands in the existing directory, under the spelling given.
  EXPECT_TRUE(files.WriteBytes(At(u"PLUG-INS/New.ini"), "n"));
  std::vector<std::u16string> names;
  for (const FileEntry& e : files.Find(At(u"*"))) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::u16string>{u".", u"..", u"Plug-Ins"}));
  EXPECT_EQ(files.FindFirst(At(u"Plug-Ins/new.INI"))->name, u"New.ini");
}

TEST_F(FilesTest, ReadWriteAppendAndRemove) {
  const std::u16string file = At(u"data.bin");
  EXPECT_FALSE(files.ReadBytes(file, 10));
  EXPECT_FALSE(files.AppendBytes(file, "x"));  // appends only to a file that exists
  EXPECT_TRUE(files.WriteBytes(file, std::string("a\0b\r\n", 5)));
  EXPECT_EQ(files.ReadBytes(file, 100), std::string("a\0b\r\n", 5));
  EXPECT_EQ(files.ReadBytes(file, 2), std::string("a\0", 2));
  EXPECT_EQ(files.ReadBytes(file, 0), "");
  EXPECT_TRUE(files.WriteBytes(file, "new"));
  EXPECT_EQ(files.ReadBytes(file, 100), "new");

  dir.MakeDir(u"folder");
  EXPECT_FALSE(files.ReadBytes(At(u"folder"), 10));
  EXPECT_FALSE(files.Remove(At(u"folder")));
  EXPECT_TRUE(dir.Exists(u"folder"));
  EXPECT_TRUE(files.Remove(At(u"DATA.BIN")));
  EXPECT_FALSE(dir.Exists(u"data.bin"));
  EXPECT_FALSE(files.Remove(file));
  EXPECT_FALSE(files.WriteBytes(At(u"no-such-dir/x.ini"), "x"));
}

// A media file the recorder is still writing must not count as there; other readers (a player handed
// the file) still read it.
TEST_F(FilesTest, ReadingDenyingWriteFailsWhileAnotherHandleWrites) {
  const std::u16string clip = At(u"000001.dvd");
  dir.WriteFile(u"000001.dvd", "media");
  dir.MakeDir(u"0001");
  EXPECT_EQ(files.ReadBytesDenyingWrite(clip, 100), "media");
  EXPECT_EQ(files.ReadBytesDenyingWrite(At(u"000001.DVD"), 2), "me");
  EXPECT_EQ(files.ReadBytesDenyingWrite(clip, 0), "");
  EXPECT_FALSE(files.ReadBytesDenyingWrite(At(u"0001"), 0)) << "a directory is not readable";
  EXPECT_FALSE(files.ReadBytesDenyingWrite(At(u"000002.dvd"), 0));
  {
    const vorlane::test::HeldForWriting writer(clip);
    ASSERT_TRUE(writer.Holds());
    EXPECT_EQ(files.ReadBytesDenyingWrite(clip, 0).has_value(), !vorlane::test::WritersKeepOutReadersDenyingWrite());
    EXPECT_EQ(files.ReadBytes(clip, 100), "media") << "plain reads share the file with writers";
  }
  EXPECT_EQ(files.ReadBytesDenyingWrite(clip, 100), "media") << "readable again once the writer closed it";
  // The read's own handle denies write sharing: a writer can open only when it was closed at once.
  const vorlane::test::HeldForWriting later(clip);
  EXPECT_TRUE(later.Holds());
}

TEST_F(FilesTest, FullAndShortPaths) {
  dir.WriteFile(u"a/b.txt", "x");
  const auto full = files.FullPath(At(u"a/./../a/b.txt"));
  ASSERT_TRUE(full);
  EXPECT_EQ(platform::FileNamePart(*full), u"b.txt");
  EXPECT_TRUE(files.Attributes(*full));
  EXPECT_EQ(files.FullPath(u"rel.txt"), (std::filesystem::current_path() / "rel.txt").u16string());

  const auto shortPath = files.ShortPath(At(u"a/b.txt"));
  ASSERT_TRUE(shortPath);
  EXPECT_TRUE(files.Attributes(*shortPath));
  EXPECT_FALSE(files.ShortPath(At(u"a/missing.txt")));
  EXPECT_FALSE(files.FullPath(u""));
}

TEST_F(FilesTest, PathsBeyond259CharactersFailCleanly) {
  const std::u16string longPath = At(std::u16string(300, u'n'));
  EXPECT_TRUE(files.Find(longPath).empty());
  EXPECT_FALSE(files.FindFirst(longPath));
  EXPECT_FALSE(files.Attributes(longPath));
  EXPECT_FALSE(files.FullPath(longPath));
  EXPECT_FALSE(files.ShortPath(longPath));
  EXPECT_FALSE(files.Remove(longPath));
  EXPECT_FALSE(files.ReadBytes(longPath, 10));
  EXPECT_FALSE(files.ReadBytesDenyingWrite(longPath, 10));
  EXPECT_FALSE(files.WriteBytes(longPath, "x"));
  EXPECT_FALSE(files.AppendBytes(longPath, "x"));
}

TEST_F(FilesTest, ModulePathNamesThisProgram) {
  for (void* module : {platform::ThisModule(), static_cast<void*>(nullptr)}) {
    const std::u16string path = files.ModulePath(module);
    EXPECT_NE(platform::FindLastPathMarker(path, u"\\platform_files_test"), std::u16string::npos)
        << platform::Utf16ToUtf8(path);
    EXPECT_TRUE(files.Attributes(path));
  }
}

}  // namespace
