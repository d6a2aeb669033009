#include "command_line.h"

#include "platform/standin_services.h"

namespace platform {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::u16string QuotedArgument(std::u16string_view argument) {
  std::u16string quoted = u"\"";
  std::size_t backslashes = 0;
  for (char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == u'"' ? 2 * backslashes + 1 : backslashes, u'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, u'\\');
  return quoted + u"\"";
}

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> args;
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i == line.size()) return args;

  // The program name knows no escapes: quotes only switch blanks on and off.
  std::u16string program;
  for (bool quoted = false; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
    if (line[i] == u'"') {
      quoted = !quoted;
    } else {
      program += line[i];
    }
  }
  args.push_back(std::move(program));

  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    std::u16string arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      if (line[i] == u'\\') {
        std::size_t slashes = 0;
        while (i < line.size() && line[i] == u'\\') {
          ++slashes;
          ++i;
        }
        if (i < line.size() && line[i] == u'"') {
          arg.append(slashes / 2, u'\\');
          if (slashes % 2 == 1) {
            arg += u'"';
            ++i;
          }
        } else {
          arg.append(slashes, u'\\');
        }
      } else if (line[i] == u'"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          arg += u'"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += line[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace platform
