// The profile store over this build's files, watched through a wrapper that counts (or fails) the file
// calls: what it keeps of a file must save work without ever giving back an old state.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/limits.h"
#include "platform/text.h"
#include "profile_store.h"
#include "temp_dir.h"

namespace vorlane::test {
namespace {

class WatchedFiles : public platform::ProfileFileAccess {
 public:
  int reads = 0, replaces = 0, appends = 0;
  bool failWrites = false;
  // A clock that never moves: every stamp is the same coarse one, so only the content tells changes.
  bool frozenClock = false;

  std::optional<platform::ProfileStamp> Stamp(std::u16string_view path) override {
    std::optional<platform::ProfileStamp> stamp = real_.Stamp(path);
    if (stamp && frozenClock) *stamp = platform::ProfileStamp{stamp->size, 0, 0, true};
    return stamp;
  }
  platform::ProfileFile Read(std::u16string_view path) override {
    ++reads;
    return real_.Read(path);
  }
  bool CanWrite(std::u16string_view path) override { return real_.CanWrite(path); }
  bool Replace(std::u16string_view path, std::string_view bytes) override {
    ++replaces;
    return !failWrites && real_.Replace(path, bytes);
  }
  bool Append(std::u16string_view path, std::string_view bytes) override {
    ++appends;
    return !failWrites && real_.Append(path, bytes);
  }

 private:
  platform::ProfileFileAccess& real_ = platform::NativeProfileFiles();
};

std::vector<platform::ProfileWrite> Clip(int n, std::u16string_view comment = u"first run") {
  const std::u16string section = u"CLIP" + platform::FormatInt(n);
  return {{section, u"PATH", u"/audio/take" + platform::FormatInt(n) + u"/"},
          {section, u"FILENAME", u"take.wav"},
          {section, u"MODE", u"IMPORT"},
          {section, u"COMMENT", std::u16string(comment)}};
}

TEST(ProfileStore, KeyByKeyReadsOfAnUnchangedFileReadItOnce) {
  TempDir dir;
  std::string text = "[GENERAL]\r\nOBJCOUNT=300\r\n";
  for (int i = 1; i <= 300; ++i) text += "[OBJ" + std::to_string(i) + "]\r\nMEDIA_V=v" + std::to_string(i) + "\r\n";
  dir.WriteFile(u"export.ini", text);
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"export.ini");
  for (int i = 1; i <= 300; ++i) {
    const std::u16string n = platform::FormatInt(i);
    ASSERT_EQ(store.ReadString(file, u"OBJ" + n, u"MEDIA_V", u"", 260).value, u"v" + n);
    ASSERT_EQ(store.ReadInt(file, u"GENERAL", u"OBJCOUNT", 0), 300);
  }
  EXPECT_EQ(files.reads, 1);
  // Another writer changes it: the next read sees the new content.
  dir.WriteFile(u"export.ini", "[OBJ1]\r\nMEDIA_V=changed\r\n");
  EXPECT_EQ(store.ReadString(file, u"OBJ1", u"MEDIA_V", u"", 260).value, u"changed");
}

TEST(ProfileStore, AFileBeyondTheLimitIsNeitherReadNorWritten) {
  TempDir dir;
  const std::string head = "[Settings]\r\nszWatchFolder=C:\\watch\r\n";
  dir.WriteFile(u"fennick.ini", head);
  const std::filesystem::path onDisk = dir.FsPath() / "fennick.ini";
  // Sparse, so that the file costs no time to write.
  std::filesystem::resize_file(onDisk, platform::kMaxProfileFileBytes + 1);
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"fennick.ini");
  EXPECT_EQ(store.ReadString(file, u"Settings", u"szWatchFolder", u"none", 260).value, u"none");
  EXPECT_EQ(store.ReadInt(file, u"Settings", u"nCount", 7), 7);
  EXPECT_FALSE(store.WriteString(file, u"Settings", u"szWatchFolder", u"C:\\other"));
  EXPECT_FALSE(store.WriteSections(file, {{u"CLIP0", {{u"MODE", u"IMPORT"}}}}));
  EXPECT_EQ(files.reads + files.replaces + files.appends, 0);
  EXPECT_EQ(std::filesystem::file_size(onDisk), platform::kMaxProfileFileBytes + 1);
  // Back within the limit, it reads as before.
  std::filesystem::resize_file(onDisk, head.size());
  EXPECT_EQ(store.ReadString(file, u"Settings", u"szWatchFolder", u"none", 260).value, u"C:\\watch");
}

TEST(ProfileStore, ARerunOverTheSameClipsNeitherReadsNorWritesTheFile) {
  TempDir dir;
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"vorlane.ini");
  for (int run = 0; run < 2; ++run)
    for (int n = 0; n < 100; ++n) ASSERT_TRUE(store.WriteBatch(file, Clip(n)));
  EXPECT_EQ(files.reads, 1);  // the missing file, once
  EXPECT_EQ(files.replaces, 1);
  EXPECT_EQ(files.appends, 99);
}

TEST(ProfileStore, ClipsInterleavedWithOtherFilesKeepTheClipList) {
  TempDir dir;
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string clipList = dir.Join(u"vorlane.ini");
  for (int n = 0; n < 50; ++n) {
    const std::u16string source = dir.Join(u"clip" + platform::FormatInt(n) + u".srb");
    dir.WriteFile(u"clip" + platform::FormatInt(n) + u".srb", "[Clip 0]\r\n__MODIFIED=1\r\n");
    ASSERT_EQ(store.ReadInt(source, u"Clip 0", u"__MODIFIED", 0), 1);
    ASSERT_TRUE(store.WriteBatch(clipList, Clip(n)));
    ASSERT_TRUE(store.WriteString(source, u"Clip 0", u"__MODIFIED", u"0"));
  }
  EXPECT_EQ(files.reads, 51);  // each description once, the clip list once
}

TEST(ProfileStore, AFrozenClockStillSeesAChangeOfTheSameSize) {
  TempDir dir;
  WatchedFiles files;
  files.frozenClock = true;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"a.ini");
  ASSERT_TRUE(store.WriteString(file, u"S", u"k", u"1"));
  EXPECT_EQ(store.ReadString(file, u"S", u"k", u"", 10).value, u"1");
  dir.WriteFile(u"a.ini", "[S]\r\nk=2\r\n");
  EXPECT_EQ(store.ReadString(file, u"S", u"k", u"", 10).value, u"2");
  ASSERT_TRUE(store.WriteBatch(file, Clip(0)));
  EXPECT_EQ(dir.ReadFile(u"a.ini"),
            "[S]\r\nk=2\r\n[CLIP0]\r\nPATH=/audio/take0/\r\nFILENAME=take.wav\r\nMODE=IMPORT\r\nCOMMENT=first run\r\n");
}

// A write that fails leaves the file, and what the store keeps of it, as they were.
TEST(ProfileStore, AFailedWriteForgetsNothingAndInventsNothing) {
  TempDir dir;
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"vorlane.ini");
  ASSERT_TRUE(store.WriteBatch(file, Clip(0)));
  const std::string before = dir.ReadFile(u"vorlane.ini");
  files.failWrites = true;
  EXPECT_FALSE(store.WriteBatch(file, Clip(1)));                 // an append
  EXPECT_FALSE(store.WriteBatch(file, Clip(0, u"second run")));  // a rewrite
  EXPECT_EQ(dir.ReadFile(u"vorlane.ini"), before);
  EXPECT_EQ(store.ReadString(file, u"CLIP1", u"PATH", u"none", 260).value, u"none");
  EXPECT_EQ(store.ReadString(file, u"CLIP0", u"COMMENT", u"", 260).value, u"first run");
  files.failWrites = false;
  ASSERT_TRUE(store.WriteBatch(file, Clip(1)));
  EXPECT_EQ(dir.ReadFile(u"vorlane.ini"),
            before + "[CLIP1]\r\nPATH=/audio/take1/\r\nFILENAME=take.wav\r\nMODE=IMPORT\r\nCOMMENT=first run\r\n");
}

// A write of a value already there leaves the file alone; Touch writes it again with its own bytes,
// byte for byte, so that its time moves. The new copy a cut-short rewrite left beside the file is taken
// over by the next rewrite rather than left lying there.
TEST(ProfileStore, TouchWritesTheSameBytesAgainAndTakesOverALeftCopy) {
  TempDir dir;
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"fennick.ini");
  const std::string odd = "[Settings]\r\nszStartupPath = c:\\watch\\  \r\n;note\r\n";
  dir.WriteFile(u"fennick.ini", odd);
  dir.WriteFile(u"fennick.ini.new", "half a rewrite");
  ASSERT_EQ(store.ReadString(file, u"Settings", u"szStartupPath", u"", 260).value, u"c:\\watch\\");
  ASSERT_TRUE(store.WriteString(file, u"Settings", u"szStartupPath", u"c:\\watch\\"));
  EXPECT_EQ(files.replaces + files.appends, 0) << "an unchanged value writes nothing";
  EXPECT_TRUE(store.Touch(file));
  EXPECT_EQ(files.replaces, 1);
  EXPECT_EQ(dir.ReadFile(u"fennick.ini"), odd);
  EXPECT_FALSE(dir.Exists(u"fennick.ini.new"));
  EXPECT_EQ(store.ReadString(file, u"Settings", u"szStartupPath", u"", 260).value, u"c:\\watch\\");

  EXPECT_TRUE(store.Touch(dir.Join(u"missing.ini")));
  EXPECT_EQ(dir.ReadFile(u"missing.ini"), "") << "a missing file is created empty";
  EXPECT_FALSE(store.Touch(dir.Join(u"no folder/x.ini")));
}

// Of a large file only the sections its last batch added are kept, the rest by name: batches that add
// sections still append without reading it, and a call or read that names an earlier section reads it
// again. Every file is what a store that keeps nothing gives.
TEST(ProfileStore, ALargeFileIsKeptByNameAndReadAgainWhereACallNeedsMore) {
  TempDir dir;
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"vorlane.ini");
  const std::u16string reference = dir.Join(u"reference.ini");
  int next = 0;
  const auto batch = [&](std::vector<platform::ProfileWrite> more) {
    std::vector<platform::ProfileWrite> writes;
    for (const int end = next + 100; next < end; ++next)
      for (platform::ProfileWrite& w : Clip(next)) writes.push_back(std::move(w));
    for (platform::ProfileWrite& w : more) writes.push_back(std::move(w));
    ASSERT_TRUE(store.WriteBatch(file, writes));
    platform::ProfileStore fresh(platform::NativeProfileFiles(), platform::NativeTextCodec());
    ASSERT_TRUE(fresh.WriteBatch(reference, writes));
    ASSERT_EQ(dir.ReadFile(u"vorlane.ini"), dir.ReadFile(u"reference.ini"));
  };
  for (int i = 0; i < 12; ++i) batch({});
  EXPECT_EQ(files.reads, 1);  // the missing file, once
  EXPECT_EQ(files.appends, 11);

  batch({{u"CLIP1", u"COMMENT", u"changed in a batch that added sections first"}});
  EXPECT_EQ(files.reads, 2);
  batch({});
  EXPECT_EQ(store.ReadString(file, u"clip3", u"PATH", u"", 260).value, u"/audio/take3/");
  EXPECT_EQ(files.reads, 3);
  batch({});
  batch({{u"CLIP7", u"PATH", std::nullopt}, {u" CLIP8 ", u"MODE", u"GONE "}});
  EXPECT_EQ(files.reads, 4);
  EXPECT_EQ(store.ReadString(file, u"CLIP7", u"PATH", u"none", 260).value, u"none");
  EXPECT_EQ(store.ReadString(file, u"CLIP8", u"MODE", u"", 260).value, u"GONE");
}

TEST(ProfileStore, SectionsFormedIntoTheFileReadBackWithoutItUntilItChanges) {
  TempDir dir;
  WatchedFiles files;
  platform::ProfileStore store(files, platform::NativeTextCodec());
  const std::u16string file = dir.Join(u"vorlane.ini");
  std::vector<platform::ProfileSectionWrite> sections;
  std::vector<platform::ProfileWrite> writes;
  for (int n = 0; n < 40; ++n) {
    platform::ProfileSectionWrite section{u"CLIP" + platform::FormatInt(n), {}};
    for (const platform::ProfileWrite& w : Clip(n)) section.entries.push_back({w.key, *w.value});
    sections.push_back(std::move(section));
  }
  sections[7].entries[1].value = u"'quoted'";  // reads back without its quotes
  sections.back().entries.back().key = u"COMMENT ";     // the last write keeps its blank
  for (const platform::ProfileSectionWrite& section : sections)
    for (const platform::ProfileKey& entry : section.entries) writes.push_back({section.name, entry.key, entry.value});
  // One write per key over what the file held before.
  const auto expectSameAsKeyByKey = [&](const std::string& before) {
    platform::ProfileStore reference(platform::NativeProfileFiles(), platform::NativeTextCodec());
    dir.WriteFile(u"reference.ini", before);
    ASSERT_TRUE(reference.WriteBatch(dir.Join(u"reference.ini"), writes));
    EXPECT_EQ(dir.ReadFile(u"vorlane.ini"), dir.ReadFile(u"reference.ini"));
  };
  std::vector<bool> expected(sections.size(), true);
  expected[7] = false;

  ASSERT_TRUE(store.WriteSections(file, sections));
  EXPECT_NO_FATAL_FAILURE(expectSameAsKeyByKey(""));
  EXPECT_EQ(store.SectionsReadBack(file, sections, 260), expected);
  ASSERT_TRUE(store.WriteSections(file, sections));  // a re-run: nothing to write
  EXPECT_EQ(store.SectionsReadBack(file, sections, 260), expected);
  EXPECT_EQ(files.reads, 1);  // the missing file, once
  EXPECT_EQ(files.replaces + files.appends, 1);

  // Another program changes a value: the stamp tells, and the file is read for the answer.
  std::string bytes = dir.ReadFile(u"vorlane.ini");
  bytes.replace(bytes.find("/audio/take3/"), 13, "/audio/take9/");
  dir.WriteFile(u"vorlane.ini", bytes);
  expected[3] = false;
  EXPECT_EQ(store.SectionsReadBack(file, sections, 260), expected);
  EXPECT_EQ(files.reads, 2);
  EXPECT_EQ(store.SectionsReadBack(file, sections, 260), store.Profile::SectionsReadBack(file, sections, 260));

  // Written again over the changed file, with one more value changed, it ends as key by key gives it.
  sections[5].entries[2].value = u"EXPORT";
  writes.clear();
  for (const platform::ProfileSectionWrite& section : sections)
    for (const platform::ProfileKey& entry : section.entries) writes.push_back({section.name, entry.key, entry.value});
  ASSERT_TRUE(store.WriteSections(file, sections));
  EXPECT_NO_FATAL_FAILURE(expectSameAsKeyByKey(bytes));
  expected[3] = true;
  EXPECT_EQ(store.SectionsReadBack(file, sections, 260), expected);
}

}  // namespace
}  // namespace vorlane::test
