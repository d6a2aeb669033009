#pragma once
// Command lines and the arguments a Windows program receives from them. Shared by the splitter's test
// and the process test, which checks them against what a started program really gets.
#include <string>
#include <vector>

namespace vorlane::test {

struct CommandLineCase {
  const char16_t* line;
  const char16_t* program;
  std::vector<std::u16string> args;  // after the program name
  const char* fault;
};

inline const std::vector<CommandLineCase> kCommandLineCases = {
    {u"p a b", u"p", {u"a", u"b"}, "blanks separate"},
    {u"p \t a  \t b ", u"p", {u"a", u"b"}, "runs of blanks and tabs are one separator"},
    {u"p \"C:\\Media\\clip one.avi\"", u"p", {u"C:\\Media\\clip one.avi"}, "quotes keep blanks"},
    {u"p \"C:\\Media\\clip one.avi", u"p", {u"C:\\Media\\clip one.avi"}, "an unclosed quote runs to the end"},
    {u"p C:\\dir\\ x", u"p", {u"C:\\dir\\", u"x"}, "backslashes before no quote stay"},
    {u"p a\\\"b", u"p", {u"a\"b"}, "odd backslashes escape the quote"},
    {u"p a\\\\\"b c\"", u"p", {u"a\\b c"}, "even backslashes halve and the quote opens"},
    {u"p \"a\\\\\\\"b\"", u"p", {u"a\\\"b"}, "three backslashes give one and a quote"},
    {u"p \"a\"\"b\"", u"p", {u"a\"b"}, "a doubled quote inside quotes is one quote"},
    {u"p \"\" x", u"p", {u"", u"x"}, "an empty quoted argument counts"},
    {u"p a\"b c\"d", u"p", {u"ab cd"}, "quotes inside an argument"},
};

}  // namespace vorlane::test
