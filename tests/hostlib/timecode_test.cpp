// The stand-in timecode: counted in fields, the frame rate told by the separator of its text.
#include <gtest/gtest.h>

#include <string>

#include "hostlib/corvana.h"

namespace {

std::u16string Advance(const char16_t* start, std::int32_t fields) {
  Timecode timecode(start);
  timecode += fields;
  return TimecodeText(timecode).c_str();
}

TEST(TimecodeTest, TextRoundTripsInEachMode) {
  for (const char16_t* text : {u"00:30:15:24", u"10:12:30.05", u"10:12:30,05", u"23:59:59:24", u"00:00:00:00"})
    EXPECT_EQ(Advance(text, 0), text);
  EXPECT_EQ(std::u16string(TimecodeText(Timecode()).c_str()), u"00:00:00:00");
}

TEST(TimecodeTest, AddCountsFieldsAtTheRateOfTheSeparator) {
  struct Case {
    const char16_t* start;
    std::int32_t fields;
    const char16_t* expected;
    const char* fault;
  } cases[] = {
      {u"00:00:00:00", 2 * 100, u"00:00:04:00", "PAL counts 25 frames a second, two fields a frame"},
      {u"00:00:00.00", 2 * 100, u"00:00:03.10", "NTSC counts 30 frames a second"},
      {u"01:00:00:00", 2 * (250 + 100), u"01:00:14:00", "the recorder's doubled sum of durations is frames"},
      {u"00:00:00:24", 2, u"00:00:01:00", "frames carry into seconds"},
      {u"00:00:00:00", 1, u"00:00:00:00", "a single field is half a frame"},
      {u"23:59:59:24", 2, u"00:00:00:00", "PAL wraps at 24 hours"},
      {u"00:00:00.00", -2, u"23:59:59.29", "a negative count wraps backwards"},
  };
  for (const Case& c : cases) EXPECT_EQ(Advance(c.start, c.fields), c.expected) << c.fault;
}

TEST(TimecodeTest, DropFrameSkipsTwoFrameNumbersEachMinuteButTheTenth) {
  struct Case {
    const char16_t* start;
    std::int32_t frames;
    const char16_t* expected;
  } cases[] = {
      {u"00:00:59,29", 1, u"00:01:00,02"},   // ;00 and ;01 are dropped
      {u"00:09:59,29", 1, u"00:10:00,00"},   // not at the tenth minute
      {u"00:00:00,00", 17982, u"00:10:00,00"},  // ten minutes of drop-frame
      {u"00:00:00,00", 107892, u"01:00:00,00"},  // one hour
      {u"00:01:00,02", -1, u"00:00:59,29"},
  };
  for (const auto& c : cases) EXPECT_EQ(Advance(c.start, 2 * c.frames), c.expected) << "case " << (&c - cases);
}

TEST(TimecodeTest, MalformedTextReadsAsZeroInTheModeOfItsSeparator) {
  for (const char16_t* text : {u"", u"1:2:3:4", u"00:00:00", u"0A:00:00:00", u"25:00:00:00", u"00:00:00:25"})
    EXPECT_EQ(Advance(text, 0), u"00:00:00:00");
  EXPECT_EQ(Advance(u"00:00:00.30", 0), u"00:00:00.00");
  EXPECT_EQ(TimecodeText(Timecode(nullptr)).c_str(), std::u16string(u"00:00:00:00"));
}

}  // namespace
