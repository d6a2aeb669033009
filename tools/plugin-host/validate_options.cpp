#include <chrono>

#include "options.h"
#include "validate.h"

namespace plugin_host {

const char* ValidateUsageText() {
  return "usage: plugin-host validate PLUGIN... [--level N] [--seed S] [--timeout-ms T] [--json]\n"
         "                                     [--no-fault-checks] [--skip CHECK]... [--one-child]\n"
         "  --level N          run the checks up to level N (1 to 4, default 4)\n"
         "  --seed S           seed of everything random (default: from the clock; the report shows it)\n"
         "  --timeout-ms T     a check that runs longer fails and its child is killed (default 20000)\n"
         "  --no-fault-checks  leave out the checks that raise processor faults on purpose\n"
         "  --skip CHECK       leave out the check of that name (repeatable)\n"
         "  --one-child        every plug-in in one child process (a crash fails the rest of its checks)\n"
         "  --json             the report as one JSON document\n"
         "exit status: 0 every check passed, 1 a check failed, 2 bad command line\n";
}

ParsedValidateOptions ParseValidateOptions(const std::vector<std::string>& arguments) {
  ParsedValidateOptions parsed;
  ValidateOptions options;
  options.seed = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  auto fail = [&](std::string why) {
    parsed.error = std::move(why);
    return parsed;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    if (name.size() < 2 || name.compare(0, 2, "--") != 0) {
      options.plugins.push_back(name);
      continue;
    }
    std::optional<std::string> value;
    if (const auto equals = name.find('='); equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    const bool flag = name == "--help" || name == "--json" || name == "--no-fault-checks" || name == "--one-child";
    if (flag) {
      if (value) return fail("option " + name + " takes no value");
      if (name == "--help") {
        parsed.help = true;
        return parsed;
      }
      (name == "--json" ? options.json : name == "--one-child" ? options.oneChild : options.faultChecks) =
          name != "--no-fault-checks";
      continue;
    }
    if (name != "--level" && name != "--seed" && name != "--timeout-ms" && name != "--skip")
      return fail("unknown option " + name);
    if (!value) {
      if (i + 1 >= arguments.size()) return fail("option " + name + " needs a value");
      value = arguments[++i];
    }
    if (name == "--skip") {
      if (!IsCheckName(*value)) return fail("--skip needs the name of a check (see --help): " + *value);
      options.skip.push_back(*value);
    } else if (name == "--level") {
      if (!ParseNumber(*value, options.level) || options.level < 1 || options.level > kHighestLevel)
        return fail("--level needs a whole number from 1 to " + std::to_string(kHighestLevel) + ": " + *value);
    } else if (name == "--seed") {
      if (!ParseNumber(*value, options.seed)) return fail("--seed needs a whole number of 0 or more: " + *value);
    } else if (!ParseNumber(*value, options.timeoutMs) || options.timeoutMs == 0) {
      return fail("--timeout-ms needs a whole number above 0: " + *value);
    }
  }
  if (options.plugins.empty()) return fail("validate needs at least one PLUGIN");
  parsed.options = std::move(options);
  return parsed;
}

}  // namespace plugin_host
