#include "platform/text.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <string>

namespace platform {
namespace {

constexpr char kGuard = '\x5A';

// A buffer with guard bytes on both sides, to see every byte a conversion writes.
struct GuardedBuffer {
  std::array<char, 64> bytes;
  GuardedBuffer() { bytes.fill(kGuard); }
  char* at() { return bytes.data() + 8; }
  std::string Written(int n) { return std::string(at(), static_cast<std::size_t>(n)); }
  bool GuardsIntactFrom(int n) {
    for (std::size_t i = 0; i < 8; ++i)
      if (bytes[i] != kGuard) return false;
    for (std::size_t i = 8 + static_cast<std::size_t>(n < 0 ? 0 : n); i < bytes.size(); ++i)
      if (bytes[i] != kGuard) return false;
    return true;
  }
};

TEST(MultiByteToWide, ClassicLocaleMapsEveryByteAndStopsAtLimitOrZero) {
  std::setlocale(LC_CTYPE, "C");
  struct Case {
    const char* text;
    std::size_t max;
    std::u16string expected;
  } cases[] = {
      {"C:\\a\\b.txt", 260, u"C:\\a\\b.txt"},
      {"\xE9t\xE9\xFF\x80", 260, u"\u00E9t\u00E9\u00FF\u0080"},  // high bytes are not rejected
      {"abcdef", 3, u"abc"},
      {"ab\0cd", 260, u"ab"},
      {"", 260, u""},
      {"abc", 0, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(MultiByteToWide(c.text, c.max), c.expected) << c.text;
  EXPECT_EQ(MultiByteToWide(nullptr, 10), u"");
}

TEST(WideToMultiByte, WritesWithinSizeAndTerminatorOnlyWhenItFits) {
  std::setlocale(LC_CTYPE, "C");
  struct Case {
    std::u16string text;
    int size;
    std::string expected;  // every byte written, terminator included
  } cases[] = {
      {u"Vorlane", 20, std::string("Vorlane\0", 8)},
      {u"Vorlane", 8, std::string("Vorlane\0", 8)},
      {u"Vorlane", 7, "Vorlane"},
      {u"Vorlane", 3, "Vor"},
      {u"Vorlane", 1, "V"},
      {u"Vorlane", 0, ""},
      {u"Vorlane", -5, ""},
      {u"", 4, std::string("\0", 1)},
      {u"\u00E9\u00FF", 4, std::string("\xE9\xFF\0", 3)},
      // Not convertible in the "C" locale: conversion stops, the text before it stays terminated.
      {u"ab\u0100cd", 10, std::string("ab\0", 3)},
  };
  for (Case& c : cases) {
    GuardedBuffer buffer;
    const int written = WideToMultiByte(c.text, buffer.at(), c.size);
    EXPECT_EQ(written, static_cast<int>(c.expected.size())) << c.size;
    EXPECT_EQ(buffer.Written(written), c.expected) << c.size;
    EXPECT_TRUE(buffer.GuardsIntactFrom(written)) << c.size;
  }
  EXPECT_EQ(WideToMultiByte(u"x", nullptr, 5), 0);
}

TEST(WideToMultiByte, Utf8LocaleLeavesOutACharacterThatDoesNotFitWhole) {
  if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
  GuardedBuffer buffer;
  const int written = WideToMultiByte(u"a\u20AC", buffer.at(), 3);  // the euro sign needs 3 bytes
  EXPECT_EQ(written, 1);
  EXPECT_EQ(buffer.Written(1), "a");
  EXPECT_TRUE(buffer.GuardsIntactFrom(1));
  EXPECT_EQ(MultiByteToWide("a\xE2\x82\xAC\xF0\x9F\x8E\xAC", 260), u"a\u20AC\U0001F3AC");
  EXPECT_EQ(MultiByteToWide("a\xFF" "b", 260), u"a");  // a byte the locale cannot convert ends the text
  std::setlocale(LC_CTYPE, "C");
}

TEST(BoundedCopy, PadsWithZerosOrCutsWithoutTerminator) {
  struct Case {
    std::string_view text;
    int size;
    std::string expected;
  } cases[] = {
      {"QuickTime Player", 20, std::string("QuickTime Player\0\0\0\0", 20)},
      {"QuickTime Player", 16, "QuickTime Player"},
      {"QuickTime Player", 5, "Quick"},
      {"QuickTime Player", 0, ""},
      {"QuickTime Player", -1, ""},
  };
  for (const Case& c : cases) {
    GuardedBuffer buffer;
    BoundedCopy(c.text, buffer.at(), c.size);
    const int n = static_cast<int>(c.expected.size());
    EXPECT_EQ(buffer.Written(n), c.expected) << c.size;
    EXPECT_TRUE(buffer.GuardsIntactFrom(n)) << c.size;
  }
}

TEST(Utf8, ValidTextAndSurrogatePairsRoundTrip) {
  const std::u16string wide = u"Clip \u00E9\u0416\u20AC \U0001F3AC";
  EXPECT_EQ(Utf16ToUtf8(wide), "Clip \xC3\xA9\xD0\x96\xE2\x82\xAC \xF0\x9F\x8E\xAC");
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(wide)), wide);
}

TEST(Utf8, InvalidBytesSurviveARoundTrip) {
  const std::string cases[] = {
      "\xE9t\xE9",           // Latin-1 text
      "\xC0\xAF",            // overlong
      "\xED\xA0\x80",        // encoded surrogate
      "\xF4\x90\x80\x80",    // beyond U+10FFFF
      "ab\xE2\x82",          // cut short at the end
      "\xE2(\xA1",           // broken continuation
      std::string("\0\xFF\xFE", 3),
  };
  for (const std::string& bytes : cases) {
    const std::u16string wide = Utf8ToUtf16(bytes);
    EXPECT_EQ(Utf16ToUtf8(wide), bytes);
  }
  EXPECT_EQ(Utf8ToUtf16("\xE9"), u"\xDCE9");
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // a lone surrogate that is no escape
}

TEST(Case, FoldsLatinGreekAndCyrillic) {
  struct Case {
    char16_t lower, upper;
  } cases[] = {
      {u'a', u'A'}, {u'z', u'Z'}, {u'\u00E9', u'\u00C9'}, {u'\u00FE', u'\u00DE'}, {u'\u00FF', u'\u0178'},
      {u'\u0101', u'\u0100'}, {u'\u0142', u'\u0141'}, {u'\u017E', u'\u017D'}, {u'\u03B1', u'\u0391'},
      {u'\u03C9', u'\u03A9'}, {u'\u03AC', u'\u0386'}, {u'\u0436', u'\u0416'}, {u'\u0451', u'\u0401'},
      {u'\u04D1', u'\u04D0'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FoldCase(c.lower), c.upper) << int(c.lower);
    EXPECT_EQ(FoldCase(c.upper), c.upper) << int(c.upper);
    EXPECT_EQ(ToLower(std::u16string(1, c.upper)), std::u16string(1, c.lower)) << int(c.upper);
  }
  EXPECT_EQ(FoldCase(u'\u00F7'), u'\u00F7');  // division sign is no letter
  EXPECT_EQ(FoldCase(u'\u00D7'), u'\u00D7');
  EXPECT_EQ(FoldCase(u'\u03C2'), u'\u03A3');  // final sigma
  EXPECT_EQ(ToLower(u"C:\\PLUGINS\\Moltrin.DLL"), u"c:\\plugins\\moltrin.dll");
  EXPECT_TRUE(EqualsNoCase(u"Vorlane.INI", u"vorlane.ini"));
  EXPECT_TRUE(EqualsNoCase(u"\u0416\u00C9", u"\u0436\u00E9"));
  EXPECT_FALSE(EqualsNoCase(u"Clip1", u"Clip10"));
  EXPECT_FALSE(EqualsNoCase(u"a", u"b"));
}

TEST(Format, IntegersAndWidening) {
  EXPECT_EQ(FormatInt(0), u"0");
  EXPECT_EQ(FormatInt(-2147483648LL), u"-2147483648");
  EXPECT_EQ(Widen("Clip\xE9"), u"Clip\u00E9");
}

}  // namespace
}  // namespace platform
