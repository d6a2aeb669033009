// The child side of plugin-host validate: runs the checks it is given and says on standard output, one
// line at a time and flushed at once, what it begins and how each check ended, so that its parent can
// name the check that was running when the child crashed or hung.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "child_process.h"
#include "dialog_answers.h"
#include "platform/dialog_driver.h"
#include "platform/standin_services.h"
#include "validate.h"

namespace plugin_host {
namespace {

void Say(const std::string& line) {
  std::string oneLine = line;
  for (char& c : oneLine)
    if (c == '\n' || c == '\r') c = ' ';
  std::fputs((oneLine + "\n").c_str(), stdout);
  std::fflush(stdout);
}

CheckOutcome RunOne(const Check& check, CheckContext& context) {
  try {
    return check.run(context);
  } catch (const std::exception& e) {
    return {CheckResult::Fail, std::string(e.what())};
  } catch (...) {
    return {CheckResult::Fail, "an exception of unknown type"};
  }
}

PluginKind KindNamed(const std::string& name) {
  if (name == "send") return PluginKind::Send;
  if (name == "receive") return PluginKind::Receive;
  return PluginKind::Unknown;
}

}  // namespace

// Arguments: LEVEL SEED FAULT-CHECKS(0|1) SKIPPED FROM-CHECK, then KIND MODULE WORKDIR for each plug-in; the
// first plug-in starts at FROM-CHECK, the others at the first check.
int RunValidateChild(const std::vector<std::string>& arguments) {
  PrepareChildProcess();
  constexpr std::size_t kFixed = 5;
  if (arguments.size() < kFixed + 3 || (arguments.size() - kFixed) % 3 != 0) return 2;
  const CheckSelection selection{std::stoi(arguments[0]), arguments[2] == "1", SkippedNames(arguments[3])};
  const auto seed = static_cast<std::uint32_t>(std::stoul(arguments[1]));
  const std::size_t from = std::stoul(arguments[4]);

  SetDialogAnswers(HostOptions{});
  auto dialogDriver = platform::DriveDialogs(DialogAnswers());
  const auto checks = Checks();
  for (std::size_t p = 0; kFixed + 3 * p < arguments.size(); ++p) {
    Say("plugin " + std::to_string(p));
    CheckContext context;
    context.kind = KindNamed(arguments[kFixed + 3 * p]);
    context.module = platform::CommandLineText(arguments[kFixed + 1 + 3 * p].c_str());
    context.workDir = platform::CommandLineText(arguments[kFixed + 2 + 3 * p].c_str());
    context.seed = seed;
    context.step = [](const std::string& what) { Say("step " + what); };
    for (std::size_t c = p == 0 ? from : 0; c < checks.size(); ++c) {
      if (!CheckApplies(checks[c], context.kind, selection)) continue;
      Say("begin " + std::to_string(c));
      const auto start = std::chrono::steady_clock::now();
      const CheckOutcome outcome = RunOne(checks[c], context);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      char time[32];
      std::snprintf(time, sizeof(time), "%.1f", ms);
      Say("end " + std::to_string(c) + " " + ResultName(outcome.result) + " " + time + " " + outcome.message);
      if (c == 0) {
        Say(std::string("kind ") + KindName(context.kind));
        // A module that does not load has nothing more to check.
        if (outcome.result == CheckResult::Fail) break;
      }
    }
  }
  dialogDriver.reset();
  Say("done");
  return 0;
}

}  // namespace plugin_host
