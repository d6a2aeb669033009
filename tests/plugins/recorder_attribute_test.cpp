// Moltrin's recorder metadata: the attribute file decoded field by field from bytes the builder writes,
// the file read from a folder, the media file date and the folder numbers of a list file's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "attribute_file.h"
#include "attribute_file_builder.h"
#include "description_text.h"
#include "flaky_files.h"
#include "hostlib/standin.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

using vorlane::test::AttributeFields;
using vorlane::test::AttributeFileBytes;
using vorlane::test::ClipTableEntry;

// What the reader may set; every other field must keep the marker the record starts with.
struct Decoded {
  std::int32_t length;
  std::u16string tcIn, standard, clipAuthor;
};

contract::ClipInfo Preset() {
  contract::ClipInfo clip;
  clip.length = -7;
  clip.tcIn = u"keep";
  clip.standard = u"keep";
  clip.clipAuthor = u"keep";
  clip.path = u"untouched";
  clip.name = u"untouched";
  return clip;
}

const Decoded kUnchanged{-7, u"keep", u"keep", u"keep"};

AttributeFields Pal(int frames, int seconds, int minutes, int hours) {
  AttributeFields f;
  f.frames = frames, f.seconds = seconds, f.minutes = minutes, f.hours = hours;
  return f;
}

AttributeFields Ntsc(bool dropFrame) {
  AttributeFields f = Pal(5, 30, 12, 10);
  f.standard = "NTC";
  f.dropFrame = dropFrame;
  return f;
}

AttributeFields WithTable(AttributeFields f, std::string count, std::vector<ClipTableEntry> table) {
  f.tableCount = std::move(count);
  f.table = std::move(table);
  return f;
}

AttributeFields ThreeClips() {
  AttributeFields f = Pal(0, 0, 0, 10);
  f.length = "00000425";
  return WithTable(f, "3", {{'1', "100"}, {'2', "250"}, {'3', "75"}});
}

struct Case {
  const char* fault;  // what a wrong result would show
  std::string bytes;
  int clipIndex;
  Decoded expected;
};

std::string Cut(std::string bytes, std::size_t size) { return bytes.substr(0, size); }

std::vector<Case> Cases() {
  AttributeFields total = Pal(0, 0, 0, 10);
  total.length = "00150000";
  AttributeFields twelveMarks = WithTable(Pal(0, 0, 0, 10), "1", {{'1', "123"}});
  twelveMarks.markCount = "012";
  twelveMarks.markEntries = 10;
  AttributeFields negativeMarks = twelveMarks;
  negativeMarks.markCount = "-01";
  // Two digits where the line end would stand: they are stepped over, not read as more duration.
  AttributeFields fiveDigits = WithTable(Pal(0, 0, 0, 10), "2", {{'1', "12345", "67"}, {'2', "50"}});
  AttributeFields nulAuthor = Pal(0, 0, 0, 10);
  nulAuthor.author = std::string("ab\0cdefg", 8);
  AttributeFields nonDigit = Pal(0, 0, 0, 10);
  nonDigit.length = "0000001A";  // 'A' counts 17 in the units place
  AttributeFields threeDigitCount = WithTable(total, "100", {{'1', "5"}});
  AttributeFields otherStandard = Pal(1, 2, 3, 4);
  otherStandard.standard = "SEC";
  AttributeFields wrongMark = Pal(1, 2, 3, 4);
  wrongMark.mark = "1001";
  AttributeFields tenthClip = WithTable(Pal(0, 0, 0, 10), "10",
                                        {{'1', "1"}, {'2', "1"}, {'3', "1"}, {'4', "1"}, {'5', "1"},
                                         {'6', "1"}, {'7', "1"}, {'8', "1"}, {'9', "1"}, {':', "40"}});
  const std::string threeClips = AttributeFileBytes(ThreeClips());
  return {
      {"packed timecode pairs read low unit first", AttributeFileBytes(Pal(24, 15, 30, 0)), 0,
       {0, u"00:30:15:24", u"PAL", u"DU-1"}},
      {"NTSC drop-frame separator", AttributeFileBytes(Ntsc(true)), 0, {0, u"10:12:30,05", u"NTSC", u"DU-1"}},
      {"NTSC separator without the drop flag", AttributeFileBytes(Ntsc(false)), 0,
       {0, u"10:12:30.05", u"NTSC", u"DU-1"}},
      {"PAL ignores the drop flag, which is not part of the frame number",
       AttributeFileBytes([] { AttributeFields f = Ntsc(true); f.standard = "PAL"; return f; }()), 0,
       {0, u"10:12:30:05", u"PAL", u"DU-1"}},
      {"an unknown standard keeps the record's and picks the separator from it", AttributeFileBytes(otherStandard),
       0, {0, u"04:03:02.01", u"keep", u"DU-1"}},
      {"the 8-digit total read at full width", AttributeFileBytes(total), 0, {150000, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"first clip keeps the start", threeClips, 0, {100, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"second clip advanced by 200", threeClips, 1, {250, u"10:00:04:00", u"PAL", u"DU-1"}},
      {"third clip advanced by 700", threeClips, 2, {75, u"10:00:14:00", u"PAL", u"DU-1"}},
      {"a clip without an entry keeps the total", threeClips, 5, {425, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"the digit after 9 is clip 10", AttributeFileBytes(tenthClip), 9, {40, u"10:00:00:09", u"PAL", u"DU-1"}},
      {"a mark count of 12 steps over 10 entries", AttributeFileBytes(twelveMarks), 0,
       {123, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"a negative mark count steps over 10 entries", AttributeFileBytes(negativeMarks), 0,
       {123, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"a duration ends after five digits without a line end", AttributeFileBytes(fiveDigits), 0,
       {12345, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"five digits without a line end, then two bytes stepped over", AttributeFileBytes(fiveDigits), 1,
       {50, u"10:08:13:20", u"PAL", u"DU-1"}},
      {"author ends at a NUL", AttributeFileBytes(nulAuthor), 0, {0, u"10:00:00:00", u"PAL", u"ab"}},
      {"bytes are not tested for being digits", AttributeFileBytes(nonDigit), 0, {27, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"a three-digit table count is an empty table", AttributeFileBytes(threeDigitCount), 0,
       {150000, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"a wrong format mark leaves the clip", AttributeFileBytes(wrongMark), 0, kUnchanged},
      {"no bytes leave the clip", "", 0, kUnchanged},
      {"a file cut before its mark count leaves the clip", Cut(threeClips, 207), 0, kUnchanged},
      {"a clip table cut inside an entry ends the walk", Cut(threeClips, threeClips.size() - 5), 2,
       {425, u"10:00:00:00", u"PAL", u"DU-1"}},
      {"a table count past the end is no table", Cut(threeClips, 209), 0, {425, u"10:00:00:00", u"PAL", u"DU-1"}},
  };
}

TEST(RecorderAttributeFile, DecodesEachFieldFromItsOffset) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.fault);
    contract::ClipInfo clip = Preset();
    recorder::ApplyAttributeBytes(c.bytes, clip, c.clipIndex);
    EXPECT_EQ(clip.length, c.expected.length);
    EXPECT_EQ(platform::Utf16ToUtf8(clip.tcIn), platform::Utf16ToUtf8(c.expected.tcIn));
    EXPECT_EQ(platform::Utf16ToUtf8(clip.standard), platform::Utf16ToUtf8(c.expected.standard));
    EXPECT_EQ(platform::Utf16ToUtf8(clip.clipAuthor), platform::Utf16ToUtf8(c.expected.clipAuthor));
    EXPECT_EQ(clip.path, u"untouched");
    EXPECT_EQ(clip.name, u"untouched");
  }
}

// Every cut of a valid file: never a read past the bytes (the sanitizer build checks), and the clip is
// either unchanged or carries the header's standard.
TEST(RecorderAttributeFile, EveryShorterFileIsReadSafely) {
  const std::string bytes = AttributeFileBytes(ThreeClips());
  for (std::size_t size = 0; size <= bytes.size(); ++size) {
    contract::ClipInfo clip = Preset();
    recorder::ApplyAttributeBytes(std::string_view(bytes.data(), size), clip, 2);
    EXPECT_TRUE(clip.standard == u"keep" || clip.standard == u"PAL") << size;
  }
}

std::vector<std::string>& Traces() {
  static std::vector<std::string> lines;
  return lines;
}

void CollectTrace(int, int level, const char* line, void*) { Traces().push_back(std::to_string(level) + " " + line); }

TEST(RecorderAttributeFile, ReadsTheFolderFileAndTracesWhatItRead) {
  vorlane::test::TempDir dir;
  vorlane::test::FlakyFiles files;
  const std::string bytes = AttributeFileBytes(ThreeClips());
  dir.WriteFile(u"0001/Attribute.atr", bytes);
  dir.WriteFile(u"0002/Attribute.atr", bytes);
  files.beingWritten = {dir.Join(u"0002/Attribute.atr")};
  Traces().clear();
  CorvanaStandInSetTraceSink(&CollectTrace, nullptr);

  contract::ClipInfo clip = Preset();
  recorder::ReadAttributeFile(files, dir.Join(u"0001"), clip, 1);
  EXPECT_EQ(clip.length, 250);
  contract::ClipInfo missing = Preset();
  recorder::ReadAttributeFile(files, dir.Join(u"none/"), missing, 0);
  EXPECT_EQ(missing.tcIn, u"keep");
  contract::ClipInfo written = Preset();
  recorder::ReadAttributeFile(files, dir.Join(u"0002"), written, 1);
  EXPECT_EQ(written.length, -7) << "a file another program still writes does not open";
  CorvanaStandInSetTraceSink(nullptr, nullptr);

  const std::string folder = platform::Utf16ToUtf8(dir.Join(u"0001/Attribute.atr"));
  const std::string none = platform::Utf16ToUtf8(dir.Join(u"none/Attribute.atr"));
  const std::string held = platform::Utf16ToUtf8(dir.Join(u"0002/Attribute.atr"));
  EXPECT_EQ(Traces(), (std::vector<std::string>{
                          "0 Reading " + std::to_string(bytes.size()) + " Bytes from  " + folder + " \n",
                          "0 failed to open " + none + " \n", "0 failed to open " + held + " \n"}));
}

TEST(RecorderAttributeFile, ReadsAtMost4096Bytes) {
  vorlane::test::TempDir dir;
  AttributeFields f = ThreeClips();
  std::string bytes = AttributeFileBytes(f);
  bytes.resize(10000, 'x');
  dir.WriteFile(u"Attribute.atr", bytes);
  Traces().clear();
  CorvanaStandInSetTraceSink(&CollectTrace, nullptr);
  contract::ClipInfo clip = Preset();
  recorder::ReadAttributeFile(platform::RealSystem().files, dir.Path(), clip, 0);
  CorvanaStandInSetTraceSink(nullptr, nullptr);
  ASSERT_EQ(Traces().size(), 1u);
  EXPECT_NE(Traces()[0].find("Reading 4096 Bytes"), std::string::npos) << Traces()[0];
  EXPECT_EQ(clip.length, 100);
}

TEST(RecorderMediaFile, ReadableMeansAnExistingFileNotAFolderNorOneStillWritten) {
  vorlane::test::TempDir dir;
  vorlane::test::FlakyFiles files;
  dir.WriteFile(u"0001/000001.dvd", "");
  dir.WriteFile(u"0001/000002.dvd", "");
  files.beingWritten = {dir.Join(u"0001/000002.dvd")};
  EXPECT_TRUE(recorder::FileIsReadable(files, dir.Join(u"0001/000001.dvd")));
  EXPECT_FALSE(recorder::FileIsReadable(files, dir.Join(u"0001")));
  EXPECT_FALSE(recorder::FileIsReadable(files, dir.Join(u"0001/000003.dvd")));
  EXPECT_FALSE(recorder::FileIsReadable(files, dir.Join(u"0001/000002.dvd"))) << "a recording in progress";
}

TEST(RecorderMediaFile, DateIsTheUtcDayOfTheLastWrite) {
  struct DateCase {
    platform::FileTime time;
    const char16_t* date;
  };
  // 100 ns ticks since 1601-01-01.
  constexpr platform::FileTime kDay = 864'000'000'000ULL;
  constexpr platform::FileTime k2003March7 = 126'914'688'000'000'000ULL;  // 00:00 UTC
  const DateCase cases[] = {
      {k2003March7, u"07.03.2003"},
      {k2003March7 + kDay - 1, u"07.03.2003"},  // 23:59:59 UTC stays the 7th whatever the local zone
      {k2003March7 - 7 * kDay, u"28.02.2003"},
      {0, u"01.01.1601"},
      {k2003March7 + 359 * kDay, u"29.02.2004"},
  };
  class DatedFiles : public platform::Files {
   public:
    platform::FileTime time = 0;
    std::vector<platform::FileEntry> Find(std::u16string_view) override { return {}; }
    std::optional<platform::FileEntry> FindFirst(std::u16string_view) override { return {}; }
    std::optional<platform::FileEntry> Attributes(std::u16string_view path) override {
      if (path != u"m.dvd") return std::nullopt;
      platform::FileEntry entry;
      entry.lastWriteTime = time;
      return entry;
    }
    std::optional<std::u16string> FullPath(std::u16string_view) override { return {}; }
    std::optional<std::u16string> ShortPath(std::u16string_view) override { return {}; }
    bool Remove(std::u16string_view) override { return false; }
    std::u16string ModulePath(void*) override { return {}; }
    std::optional<std::string> ReadBytes(std::u16string_view, std::size_t) override { return {}; }
    std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view, std::size_t) override { return {}; }
    bool WriteBytes(std::u16string_view, std::string_view) override { return false; }
    bool AppendBytes(std::u16string_view, std::string_view) override { return false; }
  } files;
  for (const DateCase& c : cases) {
    files.time = c.time;
    EXPECT_EQ(platform::Utf16ToUtf8(recorder::MediaFileDate(files, u"m.dvd")), platform::Utf16ToUtf8(c.date));
  }
  EXPECT_EQ(recorder::MediaFileDate(files, u"missing.dvd"), u"01.01.1601");
}

TEST(RecorderDescriptionText, SelectsEveryFolderNumberWhoseDigitsOccur) {
  struct TextCase {
    const char* fault;
    std::string text;
    std::vector<int> numbers;
  };
  const TextCase cases[] = {
      {"numbers come out ascending, not in text order", "0003 0001", {1, 3}},
      {"digits inside a longer run count", "10001", {1}},
      {"a NUL ends the text", std::string("0002\0" "0004", 9), {2}},
      {"only 1 to 500", "0000 0500 0501", {500}},
      {"nothing", "", {}},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(recorder::FolderNumbersIn(c.text), c.numbers) << c.fault;
  }
}

}  // namespace
