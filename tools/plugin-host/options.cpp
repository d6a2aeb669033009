#include "options.h"

#include <charconv>
#include <limits>

namespace plugin_host {
namespace {

constexpr std::int32_t kLargestNameSize = 1 << 20;

}  // namespace

const char* UsageText() {
  return "usage: plugin-host info PLUGIN [options]\n"
         "       plugin-host send PLUGIN DESCRIPTION [options]\n"
         "       plugin-host receive PLUGIN [options]\n"
         "       plugin-host validate PLUGIN... [validate options] (plugin-host validate --help)\n"
         "options: --registry FILE  --render-dir DIR  --app-dir DIR  --open PATH (repeatable)\n"
         "         --filter N  --folder DIR  --cancel  --trace[=LEVEL]  --name-size N  --json\n"
         "exit status: 0 session ran, 1 Execute returned 0, 2 bad command line or module\n";
}

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  HostOptions options;
  std::vector<std::string> positional;
  auto fail = [&](std::string why) {
    parsed.error = std::move(why);
    return parsed;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
      positional.push_back(argument);
      continue;
    }
    std::string name = argument;
    std::optional<std::string> inlineValue;
    if (const auto equals = argument.find('='); equals != std::string::npos) {
      name = argument.substr(0, equals);
      inlineValue = argument.substr(equals + 1);
    }
    auto value = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 >= arguments.size()) return std::nullopt;
      return arguments[++i];
    };
    if (name == "--help") {
      parsed.help = true;
      return parsed;
    } else if (name == "--json" || name == "--cancel") {
      if (inlineValue) return fail("option " + name + " takes no value");
      (name == "--json" ? options.json : options.cancel) = true;
    } else if (name == "--trace") {
      int level = std::numeric_limits<int>::max();
      if (inlineValue && !ParseNumber(*inlineValue, level)) return fail("--trace=LEVEL needs a whole number: " + argument);
      options.traceLevel = level;
    } else if (name == "--registry" || name == "--render-dir" || name == "--app-dir" || name == "--open" ||
               name == "--folder" || name == "--filter" || name == "--name-size") {
      const auto text = value();
      if (!text) return fail("option " + name + " needs a value");
      if (name == "--registry") options.registry = *text;
      else if (name == "--render-dir") options.renderDir = *text;
      else if (name == "--app-dir") options.appDir = *text;
      else if (name == "--open") options.open.push_back(*text);
      else if (name == "--folder") options.folder = *text;
      else if (name == "--filter") {
        std::uint32_t filter = 0;
        if (!ParseNumber(*text, filter)) return fail("--filter needs a whole number of 0 or more: " + *text);
        options.filter = filter;
      } else {
        std::int32_t size = 0;
        if (!ParseNumber(*text, size) || size > kLargestNameSize)
          return fail("--name-size needs a whole number up to " + std::to_string(kLargestNameSize) + ": " + *text);
        options.nameSize = size;
      }
    } else {
      return fail("unknown option " + name);
    }
  }
  if (positional.empty()) return fail("no session given (info, send or receive)");
  const std::string& session = positional[0];
  std::size_t expected = 2;
  if (session == "info") options.session = SessionKind::Info;
  else if (session == "receive") options.session = SessionKind::Receive;
  else if (session == "send") options.session = SessionKind::Send, expected = 3;
  else return fail("unknown session " + session + " (info, send or receive)");
  if (positional.size() < expected)
    return fail(session + (expected == 3 ? " needs PLUGIN and DESCRIPTION" : " needs PLUGIN"));
  if (positional.size() > expected) return fail("unexpected argument " + positional[expected]);
  options.module = positional[1];
  if (expected == 3) options.description = positional[2];
  parsed.options = std::move(options);
  return parsed;
}

}  // namespace plugin_host
