#pragma once
// The validator's checks, in one table: each has a name, a level and the kind of plug-in it applies to.
// A check runs inside a child process of the validator, on a copy of the module in a folder of its own.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plugin_host {

enum class PluginKind { Unknown, Send, Receive };
enum class CheckResult { Pass, Fail, Skip };
enum class AppliesTo { Every, Send, Receive };

inline constexpr int kHighestLevel = 4;

struct CheckOutcome {
  CheckResult result = CheckResult::Pass;
  std::string message;  // one line; empty for a plain pass
};

struct CheckContext {
  std::u16string module;   // the copy under validation
  std::u16string workDir;  // the copy's folder, free for the check's files
  PluginKind kind = PluginKind::Unknown;  // set by the load check
  std::uint32_t seed = 0;
  std::function<void(const std::string&)> step;  // says what the check does now, for a crash report
};

struct Check {
  const char* name;
  int level;
  AppliesTo appliesTo;
  bool raisesFault;  // may raise a processor fault on purpose (an unreadable pointer)
  const char* what;
  CheckOutcome (*run)(CheckContext&);
};

// Every check, in the order in which they run. The first one loads the module and finds its kind.
std::span<const Check> Checks();

// Which checks a validation runs: those up to `level`, without the fault-raising ones unless
// `faultChecks`, and none named in `skipped`.
struct CheckSelection {
  int level = 0;
  bool faultChecks = true;
  std::vector<std::string> skipped;
};
bool CheckApplies(const Check& check, PluginKind kind, const CheckSelection& selection);
// Whether `name` names a check of the table.
bool IsCheckName(std::string_view name);
// The skipped names as one argument of the child process ("-" for none), and back.
std::string SkippedArgument(const std::vector<std::string>& skipped);
std::vector<std::string> SkippedNames(std::string_view argument);

const char* KindName(PluginKind kind);
const char* ResultName(CheckResult result);

}  // namespace plugin_host
