// Reading rules of the export description file: rate rule, word codes, text limits, primary media file,
// section names, and the one-pass read of what the players take from a file.
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

struct PlayerCase {
  std::string file;
  std::vector<contract::PlayerObject> expected;
  const char* fault;
};

TEST(ExportDescriptionSections, OnePassGivesWhatTheProfileFunctionsGiveThePlayers) {
  const std::string count = "[GENERAL]\r\nOBJCOUNT=9\r\n";
  const std::string utf16 = std::string("\xFF\xFE[\0O\0B\0J\0" "2\0]\0\r\0\n\0M\0E\0D\0I\0A\0_\0V\0=\0v\0\r\0\n\0"
                                        "[\0G\0E\0N\0E\0R\0A\0L\0]\0\n\0O\0B\0J\0C\0O\0U\0N\0T\0=\0" "5\0", 80);
  const PlayerCase cases[] = {
      {count + "[OBJ3]\r\nMEDIA_A1=c\r\n[OBJ1]\r\nMEDIA_V=a\r\n", {{1, u"a"}, {3, u"c"}},
       "numbers ascend, whatever the file order"},
      {"[ obj2 ]\nmedia_v = b \r\n[Obj4]  \r\nMEDIA_A4=d\r\n[general]\r\nobjcount=4", {{2, u"b"}, {4, u"d"}},
       "names are trimmed and compared without regard to case; GENERAL may come last"},
      {count + "[OBJ1]junk\r\nMEDIA_V=a\r\n[OBJ2]x]\r\nMEDIA_V=b\r\n", {{1, u"a"}}, "a name runs to the last ]"},
      {count + "[OBJ1\r\nMEDIA_V=a\r\n[OBJ07]\r\nMEDIA_V=a\r\n[OBJ-1]\r\n[OBJ]\r\n[OBJ5x]\r\nMEDIA_V=x\r\n", {},
       "only names %d could have formed count"},
      {"[GENERAL]\r\nOBJCOUNT=5\r\n[OBJ6]\r\nMEDIA_V=f\r\n[OBJ5]\r\nMEDIA_V=e\r\n", {{5, u"e"}},
       "numbers past the count are not visited"},
      {count + "[OBJ5]\r\nNAME=x\r\n[OBJ5]\r\nMEDIA_V=second\r\n[OBJ6]\r\nMEDIA_V=f\r\n[obj6]\r\nMEDIA_V=g\r\n",
       {{6, u"f"}}, "of two sections of one name only the first is read, with or without media"},
      {count + "[OBJ1]\r\nMEDIA_V\r\nMEDIA_V=hidden\r\nMEDIA_A1=\r\nMEDIA_A2=\"\"\r\nMEDIA_A3='c'\r\n", {{1, u"c"}},
       "a key's first line decides; empty, quoted-empty and valueless keys pass on to the next"},
      {count + "[OBJ1]\r\nMEDIA_A4=" + std::string(40, 'm') + "\r\n", {{1, std::u16string(19, u'm')}},
       "a value is cut to the buffer"},
      {"[GENERAL]\r\nOBJCOUNT=2147483647\r\nOBJCOUNT=1\r\n[OBJ2147483647]\r\nMEDIA_V=z\r\n"
       "[OBJ99999999999]\r\nMEDIA_V=y",
       {{2147483647, u"z"}}, "the first count line counts, and the largest count is reached"},
      {"[GENERAL]\r\nOBJCOUNT=0x3\r\n[OBJ3]\r\nMEDIA_V=c\r\n[GENERAL]\r\nOBJCOUNT=9\r\n[OBJ4]\r\nMEDIA_V=d",
       {{3, u"c"}}, "the count is read as the integer read reads it, from the first GENERAL"},
      {"[GENERAL]\r\nOBJCOUNT=-1\r\n[OBJ1]\r\nMEDIA_V=a\r\n", {}, "a count below 1 visits nothing"},
      {utf16, {{2, u"v"}}, "a UTF-16 file is read as UTF-16"},
      {"\xEF\xBB\xBF[OBJ1]\r\nMEDIA_V=a\r\n[GENERAL]\r\nOBJCOUNT=2\r\n", {{1, u"a"}},
       "a UTF-8 mark is no part of the first header"},
      {"", {}, "an empty file holds no objects"},
  };
  constexpr std::uint32_t kSize = 20;
  vorlane::test::TempDir dir;
  int index = 0;
  for (const PlayerCase& c : cases) {
    const std::u16string name = u"export" + platform::FormatInt(++index) + u".ini";
    const std::u16string path = dir.Join(name);
    const contract::PlayerObjects read = contract::ReadPlayerObjects(c.file, kSize);
    ASSERT_EQ(read.objects.size(), c.expected.size()) << c.fault;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(read.objects[i].number, c.expected[i].number) << c.fault;
      EXPECT_EQ(read.objects[i].media, c.expected[i].media) << c.fault;
    }
    // The profile functions over the same bytes agree on the count and on each object they name.
    dir.WriteFile(name, c.file);
    platform::Profile& profile = platform::RealSystem().profile;
    EXPECT_EQ(read.count, contract::ReadInteger(profile, IniFile(path), contract::kGeneralSection, u"OBJCOUNT"))
        << c.fault;
    for (const contract::PlayerObject& object : read.objects) {
      const std::u16string section = contract::ObjectSectionName(contract::kObjectPrefix, object.number);
      std::u16string media;
      for (std::u16string_view key : contract::kMediaKeys) {
        media = profile.ReadString(path, section, key, u"", kSize).value;
        if (!media.empty()) break;
      }
      EXPECT_EQ(object.media, media) << c.fault;
    }
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
