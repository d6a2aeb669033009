// The Windows command-line splitter against its own quoting, both ways round: arguments decoded from the
// input, quoted and joined, split back into the same arguments; and an arbitrary line, split, quoted
// again and split once more, gives the same arguments.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

bool NeedsQuotes(std::u16string_view arg) {
  return arg.empty() || arg.find_first_of(u" \t\"") != std::u16string_view::npos;
}

// A quote inside a quoted argument as \" or, with `doubled`, as "".
std::u16string QuotedArgument(std::u16string_view arg, bool doubled) {
  if (!NeedsQuotes(arg)) return std::u16string(arg);
  std::u16string out = u"\"";
  std::size_t slashes = 0;
  for (char16_t c : arg) {
    if (c == u'\\') {
      ++slashes;
      continue;
    }
    if (c == u'"') {
      // The backslashes before a quote double in either form.
      out.append(2 * slashes, u'\\');
      out += doubled ? u"\"\"" : u"\\\"";
    } else {
      out.append(slashes, u'\\');
      out += c;
    }
    slashes = 0;
  }
  // Before the closing quote every backslash doubles.
  out.append(2 * slashes, u'\\');
  return out + u"\"";
}

// The program name knows no escapes: quotes around it only, and it never holds one.
std::u16string CommandLine(const std::vector<std::u16string>& args, std::uint8_t style) {
  std::u16string line = NeedsQuotes(args[0]) ? u"\"" + args[0] + u"\"" : args[0];
  for (std::size_t n = 1; n < args.size(); ++n) {
    line += style & 2 ? u"\t " : u" ";
    line += QuotedArgument(args[n], ((style >> (n % 6)) & 1) != 0);
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t style = data[0];

  // Arguments from a small alphabet, so that quotes, backslashes and blanks meet; 0xFF separates.
  static constexpr char16_t kLetters[] = u"a\\\" \tb\\\"";
  std::vector<std::u16string> args(1);
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0xFF) {
      args.emplace_back();
    } else {
      const char16_t c = data[i] >= 0x80 ? static_cast<char16_t>(0x80 + data[i]) : kLetters[data[i] % 8];
      if (args.size() > 1 || c != u'"') args.back() += c;
    }
  }
  Check(platform::SplitCommandLine(CommandLine(args, style)) == args);

  // The input as a line of UTF-16 code units.
  std::u16string line(size / 2, u'\0');
  std::memcpy(line.data(), data, line.size() * 2);
  const std::vector<std::u16string> split = platform::SplitCommandLine(line);
  if (!split.empty()) Check(platform::SplitCommandLine(CommandLine(split, style)) == split);
  return 0;
}
