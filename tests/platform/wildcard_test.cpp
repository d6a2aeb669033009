#include "wildcard.h"

#include <gtest/gtest.h>

namespace {

struct WildcardCase {
  const char16_t* pattern;
  const char16_t* name;
  bool matches;
  const char* fault;
};

TEST(Wildcard, MatchesAsTheFileSearchDoes) {
  const WildcardCase cases[] = {
      {u"*.SRB", u"take1.srb", true, "case must not matter"},
      {u"*.srb", u"take1.srb.bak", false, "a star must not end the match early"},
      {u"*.avi", u"a.avi.avi", true, "star must backtrack"},
      {u"??.m2v", u"ab.m2v", true, "? is one character"},
      {u"??.m2v", u"a.m2v", false, "? cannot match nothing"},
      {u"*", u".", true, "star matches the dot entries"},
      {u"*.*", u"README", true, "*.* matches names without a dot"},
      {u"*.*", u"..", true, "*.* matches the dot entries"},
      {u"a*b*c", u"aXXbYYc", true, "several stars"},
      {u"a*b*c", u"aXXbYY", false, "missing tail"},
      {u"QuickTimePlayer.Exe", u"quicktimeplayer.exe", true, "plain name compares without case"},
      {u"", u"x", false, "empty pattern"},
      {u"\u00E9*", u"\u00C9t\u00E9", true, "folding beyond ASCII"},
  };
  for (const WildcardCase& c : cases) {
    EXPECT_EQ(platform::MatchesWildcard(c.pattern, c.name), c.matches) << c.fault;
  }
}

TEST(Wildcard, HostilePatternStaysLinear) {
  const std::u16string name(4000, u'a');
  const std::u16string pattern = std::u16string(50, u'*') + u'b';
  EXPECT_FALSE(platform::MatchesWildcard(pattern, name));
}

}  // namespace
