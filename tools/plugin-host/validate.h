#pragma once
// plugin-host validate: every named plug-in checked in child processes of plugin-host, so that a crash or
// a hang is one check's failure and the other checks and plug-ins still run.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checks.h"

namespace plugin_host {

struct ValidateOptions {
  std::vector<std::string> plugins;
  int level = kHighestLevel;
  std::uint32_t seed = 0;
  std::uint32_t timeoutMs = 20000;  // per check
  bool faultChecks = true;          // --no-fault-checks leaves out the checks that raise processor faults
  bool oneChild = false;            // every plug-in in one child process
  std::vector<std::string> skip;    // --skip CHECK: checks left out by name
  bool json = false;

  CheckSelection Selection() const { return {level, faultChecks, skip}; }
};

struct ParsedValidateOptions {
  std::optional<ValidateOptions> options;  // absent: `error` says why, or --help was given
  std::string error;
  bool help = false;
};

// `arguments` follow the word "validate". Without --seed the seed comes from the clock.
ParsedValidateOptions ParseValidateOptions(const std::vector<std::string>& arguments);
const char* ValidateUsageText();

struct CheckRecord {
  std::size_t check = 0;  // index into Checks()
  CheckResult result = CheckResult::Pass;
  double milliseconds = 0;
  std::string message;
};

struct PluginRecord {
  std::string path;  // as given
  PluginKind kind = PluginKind::Unknown;
  std::vector<CheckRecord> checks;
};

struct Validation {
  ValidateOptions options;
  std::vector<PluginRecord> plugins;
  bool Failed() const;
};

// Runs every check on every plug-in; blocks until all are done.
Validation Validate(const ValidateOptions& options);

std::string ValidationText(const Validation& validation);
std::string ValidationJson(const Validation& validation);

// plugin-host validate ARGS...: exit status 0 all passed, 1 any failed, 2 a bad command line.
int RunValidate(const std::vector<std::string>& arguments);

// The child's side (the internal sub-command): runs checks and writes one line per event on standard
// output. Its arguments are those that Validate passes; not for people.
int RunValidateChild(const std::vector<std::string>& arguments);
inline constexpr const char* kValidateChildCommand = "validate-child";

}  // namespace plugin_host
