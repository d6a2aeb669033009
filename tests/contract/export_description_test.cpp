// Reading rules of the export description file: rate rule, word codes, text limits, primary media file,
// section names, and the one-pass scan of the object sections a file holds.
#include "contract/export_description.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "contract/boundary_text.h"
#include "contract/export_description_paths.h"
#include "contract/export_description_sections.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

using contract::IniFile;
using contract::IniSection;
using contract::ObjectType;
using contract::VideoSystem;
using Key = std::u16string_view;

// The file, the section and the key are three types: a call with any two of them swapped does not compile.
template <class File, class Section, class KeyName>
concept ReadsRate = requires(platform::Profile& profile, File file, Section section, KeyName key) {
  contract::ReadRate(profile, file, section, key, 0.0);
};
template <class File, class Section, class KeyName>
concept ReadsText = requires(platform::Profile& profile, File file, Section section, KeyName key) {
  contract::ReadText(profile, file, section, key, contract::kLongTextLimit);
};
template <class File, class Section, class KeyName>
concept ReadsInteger = requires(platform::Profile& profile, File file, Section section, KeyName key) {
  contract::ReadInteger(profile, file, section, key);
};
static_assert(ReadsRate<IniFile, IniSection, Key> && ReadsText<IniFile, IniSection, Key> &&
              ReadsInteger<IniFile, IniSection, Key>);
static_assert(!ReadsRate<IniSection, IniFile, Key> && !ReadsText<IniSection, IniFile, Key> &&
                  !ReadsInteger<IniSection, IniFile, Key>,
              "file and section swapped");
static_assert(!ReadsRate<Key, IniSection, IniFile> && !ReadsText<Key, IniSection, IniFile> &&
                  !ReadsInteger<Key, IniSection, IniFile>,
              "file and key swapped");
static_assert(!ReadsRate<IniFile, Key, IniSection> && !ReadsText<IniFile, Key, IniSection> &&
                  !ReadsInteger<IniFile, Key, IniSection>,
              "section and key swapped");
static_assert(!ReadsRate<Key, Key, Key> && !ReadsText<Key, Key, Key> && !ReadsInteger<Key, Key, Key>,
              "plain text in the file's and the section's places");

struct RateCase {
  const char16_t* text;
  double expected;
  const char* fault;
};

TEST(ExportDescriptionRate, FollowsTheRateRule) {
  const RateCase cases[] = {
      {u"25", 25.0, "a plain number must be read whole"},
      {u"29.97", 29.97, "decimals must be kept"},
      {u"30000/1001", 30000.0 / 1001.0, "a fraction must be divided in floating point"},
      {u"29.97/1", 29.0, "a fraction's numerator is read as an integer"},
      {u"25fps", -1.0, "text after the number without a slash gives the default"},
      {u"30/0", -1.0, "a zero denominator gives the default"},
      {u"", -1.0, "empty text gives the default"},
      {u"/25", 0.0, "a missing numerator reads as 0"},
      {u"1e2", 100.0, "an exponent belongs to the number"},
      {u"1e", -1.0, "an exponent without digits is not part of the number"},
      {u"-50/2", -25.0, "a sign belongs to the numerator"},
  };
  for (const RateCase& c : cases) {
    EXPECT_DOUBLE_EQ(contract::ParseRate(c.text, -1.0), c.expected) << c.fault;
  }
}

// Values as the host writes them, read back through the platform's ini reader.
class ExportDescriptionFile : public ::testing::Test {
 protected:
  std::u16string Write(std::string_view text) {
    dir_.WriteFile(u"export.ini", text);
    return dir_.Join(u"export.ini");
  }
  platform::Profile& profile() { return platform::RealSystem().profile; }
  vorlane::test::TempDir dir_;
};

struct WordCase {
  const char* line;
  std::int32_t expected;
  const char* fault;
};

TEST_F(ExportDescriptionFile, WordCodesAreExactAndCutToTheirLimit) {
  const WordCase systems[] = {
      {"SYSTEM=PAL", 1, "PAL"},
      {"SYSTEM=NTSC", 2, "NTSC"},
      {"SYSTEM=NTSCDROP", 3, "NTSCDROP fills the 9-character limit but is whole"},
      {"SYSTEM=FILM", 4, "FILM"},
      {"SYSTEM=ntsc", 0, "words compare with regard to case"},
      {"SYSTEM=NTSCDROPFRAME", 0, "the value is cut to 9 characters before the comparison"},
      {"OTHER=PAL", 0, "a missing key gives code 0"},
  };
  for (const WordCase& c : systems) {
    const std::u16string file = Write(std::string("[GENERAL]\r\n") + c.line + "\r\n");
    EXPECT_EQ(static_cast<std::int32_t>(contract::ReadVideoSystem(profile(), IniFile(file))), c.expected) << c.fault;
  }
  const WordCase types[] = {
      {"TYPE=SOURCECLIP", 1, "SOURCECLIP"},     {"TYPE=SEQUENCE", 2, "SEQUENCE"},
      {"TYPE=STILL", 3, "STILL"},               {"TYPE=TITLE", 4, "TITLE"},
      {"TYPE=Sequence", 0, "case matters"},     {"TYPE=SOURCECLIPSOURCECLIP", 0, "cut to 19 then unmatched"},
  };
  for (const WordCase& c : types) {
    const std::u16string file = Write(std::string("[OBJ1]\r\n") + c.line + "\r\n");
    EXPECT_EQ(static_cast<std::int32_t>(contract::ReadObjectType(profile(), IniFile(file), IniSection(u"OBJ1"))), c.expected)
        << c.fault;
  }
}

TEST_F(ExportDescriptionFile, ReadsRatesAndTextsWithTheirLimits) {
  const std::u16string file = Write(
      "[general]\r\nfps=30000/1001\r\nprjname=" + std::string(300, 'p') + "\r\nOBJCOUNT=3\r\n");
  const IniFile at(file);
  const IniSection general(u"GENERAL");
  EXPECT_DOUBLE_EQ(contract::ReadRate(profile(), at, general, u"FPS", 0.0), 30000.0 / 1001.0);
  EXPECT_EQ(contract::ReadText(profile(), at, general, u"PRJNAME", contract::kLongTextLimit),
            std::u16string(254, u'p'));
  EXPECT_EQ(contract::ReadInteger(profile(), at, general, u"OBJCOUNT"), 3);
  EXPECT_EQ(contract::ReadInteger(profile(), at, general, u"HSIZE"), 0);
}

TEST_F(ExportDescriptionFile, PrimaryMediaFileIsTheFirstNonEmptyMediaKey) {
  const std::u16string file = Write(
      "[OBJ1]\r\nMEDIA_V=\r\nMEDIA_A3=c.wav\r\nMEDIA_A2=b.wav\r\n"
      "[OBJ2]\r\nMEDIA_A4=d.wav\r\nMEDIA_V=v.avi\r\n"
      "[OBJ3]\r\nNAME=no media\r\n");
  EXPECT_EQ(contract::ReadPrimaryMediaFile(profile(), IniFile(file), IniSection(u"OBJ1")), u"b.wav");
  EXPECT_EQ(contract::ReadPrimaryMediaFile(profile(), IniFile(file), IniSection(u"OBJ2")), u"v.avi");
  EXPECT_EQ(contract::ReadPrimaryMediaFile(profile(), IniFile(file), IniSection(u"OBJ3")), std::nullopt);
  EXPECT_EQ(contract::ReadPrimaryMediaFile(profile(), IniFile(file), IniSection(u"OBJ4")), std::nullopt);
}

TEST(ExportDescriptionSections, NamesNestToAnyDepth) {
  EXPECT_EQ(contract::ObjectSectionName(u"OBJ", 12), u"OBJ12");
  EXPECT_EQ(contract::TrackSectionName(u"OBJ", 2, 1), u"OBJ2_T1");
  const std::u16string nested = contract::TrackObjectPrefix(u"OBJ", 2, 1);
  EXPECT_EQ(contract::ObjectSectionName(nested, 2), u"OBJ2_T1_OBJ2");
  EXPECT_EQ(contract::ObjectSectionName(contract::TrackObjectPrefix(nested, 2, 1), 1), u"OBJ2_T1_OBJ2_T1_OBJ1");
}

struct ScanCase {
  std::string file;
  std::int32_t count;
  std::vector<std::int32_t> expected;
  const char* fault;
};

TEST(ExportDescriptionSections, ScanFindsTheSectionsTheIniReaderFinds) {
  const std::string utf16 = std::string("\xFF\xFE[\0O\0B\0J\0" "2\0]\0\r\0\n\0", 18);
  const ScanCase cases[] = {
      {"[GENERAL]\r\n[OBJ3]\r\n[OBJ1]\r\nMEDIA_V=a\r\n", 3, {1, 3}, "numbers ascend, whatever the file order"},
      {"[ obj2 ]\n[Obj4]  \r\n", 9, {2, 4}, "names are trimmed and compared without regard to case"},
      {"[OBJ1]junk\r\n[OBJ2]x]\r\n", 9, {1}, "a name runs to the last ]"},
      {"[OBJ1\r\n[OBJ07]\r\n[OBJ-1]\r\n[OBJ]\r\n[OBJ5x]\r\n", 9, {}, "only names %d could have formed count"},
      {"[OBJ5]\r\n[OBJ6]\r\n[OBJ5]\r\n", 5, {5}, "numbers past the count are not visited; duplicates once"},
      {"[OBJ2147483647]\r\n[OBJ99999999999]\r\n", 2147483647, {2147483647}, "the largest count is reached"},
      {"[OBJ1]\r\n", 0, {}, "a count below 1 visits nothing"},
      {utf16, 5, {2}, "a UTF-16 file is read as UTF-16"},
      {"\xEF\xBB\xBF[OBJ1]\r\n[GENERAL]\r\n[OBJ2]\r\n", 2, {1, 2}, "a UTF-8 mark is no part of the first header"},
      {"", 2147483647, {}, "an empty file holds no objects"},
  };
  for (const ScanCase& c : cases) {
    EXPECT_EQ(contract::ObjectSectionNumbers(c.file, u"OBJ", c.count), c.expected) << c.fault;
  }
}

TEST(ExportDescriptionPaths, DirectoryOfDropsTheFileAndTheFinalSeparator) {
  const auto native = [](std::u16string_view p) { return platform::NativeSeparators(p); };
  EXPECT_EQ(contract::DirectoryOf(native(u"C:\\Data\\Cleaner\\enc.exe")), native(u"C:\\Data\\Cleaner"));
  EXPECT_EQ(contract::DirectoryOf(u"enc.exe"), u"");
  if (platform::PathsHaveDrives()) { EXPECT_EQ(contract::DirectoryOf(u"C:\\enc.exe"), u"C:"); }
}

TEST(BoundaryText, DescriptionPathMustBeTerminatedWithin260Bytes) {
  EXPECT_EQ(contract::DescriptionPathFromHost(nullptr), std::nullopt);
  const std::string fits(259, 'a');
  EXPECT_EQ(contract::DescriptionPathFromHost(fits.c_str()), std::u16string(259, u'a'));
  // No terminator within the first 260 bytes: the text must not be used, nor read beyond them.
  char unterminated[260];
  std::fill(std::begin(unterminated), std::end(unterminated), 'a');
  EXPECT_EQ(contract::DescriptionPathFromHost(unterminated), std::nullopt);
  EXPECT_EQ(contract::DescriptionPathFromHost("C:\\x\xE9.ini"), u"C:\\x\u00E9.ini");
}

}  // namespace
