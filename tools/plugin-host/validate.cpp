#include "validate.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "platform/standin_services.h"
#include "platform/text.h"

namespace plugin_host {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// How long a child may take to say its first line: a Windows build run by an emulated Wine takes about a
// minute to start a process.
constexpr std::chrono::seconds kChildStart{180};

struct Target {
  std::size_t plugin = 0;  // index into Validation::plugins
  fs::path copy;           // the module copy that the child loads
  fs::path workDir;
};

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lines that the child has written so far; a line counts once its newline is there. The file is opened
// anew for each look, so that no runtime's view of its end goes stale while the child writes on.
class LineReader {
 public:
  explicit LineReader(fs::path path) : path_(std::move(path)) {}
  std::vector<std::string> Take() {
    std::vector<std::string> lines;
    std::ifstream file(path_, std::ios::binary);
    if (!file || !file.seekg(static_cast<std::streamoff>(read_))) return lines;
    char chunk[4096];
    while (file.read(chunk, sizeof(chunk)) || file.gcount() > 0) {
      pending_.append(chunk, static_cast<std::size_t>(file.gcount()));
      read_ += static_cast<std::size_t>(file.gcount());
    }
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos; pending_.erase(0, end + 1)) {
      std::string line = pending_.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(std::move(line));
    }
    return lines;
  }

 private:
  fs::path path_;
  std::size_t read_ = 0;
  std::string pending_;
};

class Runner {
 public:
  Runner(const ValidateOptions& options, Validation& validation) : options_(options), validation_(validation) {}

  // Runs the checks of `targets` in as few children as crashes allow: after a crash or a hang a new
  // child goes on with the next check, unless one child is to hold them all.
  void RunGroup(const std::vector<Target>& targets, const fs::path& logDir) {
    std::size_t at = 0, from = 0;
    while (at < targets.size()) {
      const auto next = RunChild(targets, at, from, logDir);
      if (!next) return;
      std::tie(at, from) = *next;
    }
  }

 private:
  struct Running {
    std::size_t target = 0;
    std::optional<std::size_t> check;
    std::string step;
    Clock::time_point since = Clock::now();
    bool done = false;
    bool heard = false;  // the child has said something
  };

  PluginRecord& Record(const std::vector<Target>& targets, std::size_t target) {
    return validation_.plugins[targets[target].plugin];
  }

  void Handle(const std::string& line, const std::vector<Target>& targets, std::size_t first, Running& running) {
    running.heard = true;
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "plugin") {
      std::size_t index = 0;
      in >> index;
      running.target = first + index;
    } else if (word == "kind") {
      std::string kind;
      in >> kind;
      Record(targets, running.target).kind = kind == "send" ? PluginKind::Send
                                             : kind == "receive" ? PluginKind::Receive : PluginKind::Unknown;
    } else if (word == "begin") {
      std::size_t check = 0;
      in >> check;
      running.check = check;
      running.step.clear();
      running.since = Clock::now();
    } else if (word == "step") {
      std::getline(in >> std::ws, running.step);
    } else if (word == "end") {
      CheckRecord record;
      std::string result;
      in >> record.check >> result >> record.milliseconds;
      std::getline(in >> std::ws, record.message);
      record.result = result == "pass" ? CheckResult::Pass : result == "skip" ? CheckResult::Skip : CheckResult::Fail;
      Record(targets, running.target).checks.push_back(std::move(record));
      running.check.reset();
      running.since = Clock::now();
    } else if (word == "done") {
      running.done = true;
    }
  }

  std::vector<std::u16string> ChildArguments(const std::vector<Target>& targets, std::size_t at, std::size_t from) {
    std::vector<std::u16string> arguments{platform::Widen(kValidateChildCommand),
                                          platform::Widen(std::to_string(options_.level)),
                                          platform::Widen(std::to_string(options_.seed)),
                                          platform::Widen(options_.faultChecks ? "1" : "0"),
                                          platform::Widen(SkippedArgument(options_.skip)),
                                          platform::Widen(std::to_string(from))};
    for (std::size_t i = at; i < targets.size(); ++i) {
      arguments.push_back(platform::Widen(KindName(Record(targets, i).kind)));
      arguments.push_back(targets[i].copy.u16string());
      arguments.push_back(targets[i].workDir.u16string());
    }
    return arguments;
  }

  void Fail(PluginRecord& record, std::size_t check, std::string message, double milliseconds = 0) {
    record.checks.push_back({check, CheckResult::Fail, milliseconds, std::move(message)});
  }

  // One child from target `at`, check `from`. Returns where the next child starts; nothing when the group
  // is over.
  std::optional<std::pair<std::size_t, std::size_t>> RunChild(const std::vector<Target>& targets, std::size_t at,
                                                               std::size_t from, const fs::path& logDir) {
    const fs::path output = logDir / ("child-" + std::to_string(children_) + ".out");
    const fs::path errors = logDir / ("child-" + std::to_string(children_++) + ".err");
    auto child = StartChild(OwnExecutable(), ChildArguments(targets, at, from), output.u16string(), errors.u16string());
    if (!child) {
      for (std::size_t i = at; i < targets.size(); ++i) Fail(Record(targets, i), 0, "cannot start a child process");
      return std::nullopt;
    }
    LineReader reader(output);
    Running running;
    running.target = at;
    std::optional<ChildEnd> end;
    bool hung = false;
    const auto limit = std::chrono::milliseconds(options_.timeoutMs);
    for (;;) {
      for (const auto& line : reader.Take()) Handle(line, targets, at, running);
      if ((end = child->Ended())) break;
      if (Clock::now() - running.since > (running.heard ? limit : limit + kChildStart)) {
        child->Kill();
        hung = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (const auto& line : reader.Take()) Handle(line, targets, at, running);
    if (running.done && !hung) return std::nullopt;

    PluginRecord& record = Record(targets, running.target);
    const std::string how = hung ? "did not end within " + std::to_string(options_.timeoutMs) + " ms; the child was killed"
                                 : "the child process ended with " + end->Describe();
    const auto checks = Checks();
    std::size_t failed = 0;
    if (running.check) {
      failed = *running.check;
      Fail(record, failed, std::string(hung ? "hung" : "crashed") + (running.step.empty() ? "" : " in " + running.step) +
                               ": " + how, MillisecondsSince(running.since));
    } else {
      // Between two checks, or before the first: the next check to run takes the failure.
      failed = record.checks.empty() ? 0 : record.checks.back().check + 1;
      if (running.target == at) failed = std::max(failed, from);
      if (failed >= checks.size()) return Next(targets, running.target + 1);
      Fail(record, failed, "the child process ended outside a check: " + how);
    }
    if (options_.oneChild) {
      const std::string notRun = std::string("not run: the child process ended in ") + checks[failed].name + " of " +
                                 record.path;
      for (std::size_t i = running.target; i < targets.size(); ++i) {
        PluginRecord& later = Record(targets, i);
        for (std::size_t c = i == running.target ? failed + 1 : 0; c < checks.size(); ++c)
          if (CheckApplies(checks[c], later.kind, options_.Selection())) Fail(later, c, notRun);
      }
      return std::nullopt;
    }
    // A module whose load crashed or hung gets no further checks.
    if (failed == 0 || failed + 1 >= checks.size()) return Next(targets, running.target + 1);
    return std::make_pair(running.target, failed + 1);
  }

  static std::optional<std::pair<std::size_t, std::size_t>> Next(const std::vector<Target>& targets, std::size_t at) {
    if (at >= targets.size()) return std::nullopt;
    return std::make_pair(at, std::size_t{0});
  }

  const ValidateOptions& options_;
  Validation& validation_;
  int children_ = 0;
};

fs::path MakeWorkRoot(std::uint32_t seed) {
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0;; ++attempt) {
    const auto ticks = Clock::now().time_since_epoch().count();
    fs::path root = base / ("plugin-host-validate-" + std::to_string(seed) + "-" + std::to_string(ticks));
    if (fs::create_directory(root) || attempt > 100) return root;
  }
}

}  // namespace

bool Validation::Failed() const {
  for (const auto& plugin : plugins)
    for (const auto& check : plugin.checks)
      if (check.result == CheckResult::Fail) return true;
  return false;
}

Validation Validate(const ValidateOptions& options) {
  Validation validation{options, {}};
  const fs::path root = MakeWorkRoot(options.seed);
  std::vector<Target> targets;
  for (const auto& given : options.plugins) {
    validation.plugins.push_back({given, PluginKind::Unknown, {}});
    PluginRecord& record = validation.plugins.back();
    const fs::path original = fs::path(platform::CommandLineText(given.c_str()));
    std::error_code error;
    if (!fs::is_regular_file(original, error)) {
      record.checks.push_back({0, CheckResult::Fail, 0, "no such file"});
      continue;
    }
    // Receive plug-ins write their clip list and settings beside the module: the copy keeps them from
    // the original's folder.
    Target target{validation.plugins.size() - 1, {}, root / std::to_string(validation.plugins.size())};
    fs::create_directories(target.workDir, error);
    target.copy = target.workDir / original.filename();
    if (!fs::copy_file(original, target.copy, error)) {
      record.checks.push_back({0, CheckResult::Fail, 0, "cannot copy the module into a work folder: " + error.message()});
      continue;
    }
    targets.push_back(std::move(target));
  }
  Runner runner(options, validation);
  if (options.oneChild) {
    runner.RunGroup(targets, root);
  } else {
    for (const auto& target : targets) runner.RunGroup({target}, root);
  }
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return validation;
}

int RunValidate(const std::vector<std::string>& arguments) {
  const ParsedValidateOptions parsed = ParseValidateOptions(arguments);
  if (parsed.help) {
    std::fputs(ValidateUsageText(), stdout);
    std::fputs("checks (level, name, what; * raises a processor fault on purpose):\n", stdout);
    for (const Check& check : Checks())
      std::printf("  %d %-21s%s %s%s\n", check.level, check.name, check.raisesFault ? "*" : " ", check.what,
                  check.appliesTo == AppliesTo::Send      ? " (send)"
                  : check.appliesTo == AppliesTo::Receive ? " (receive)"
                                                          : "");
    return 0;
  }
  if (!parsed.options) {
    std::fprintf(stderr, "plugin-host: %s (plugin-host validate --help for usage)\n", parsed.error.c_str());
    return 2;
  }
  const Validation validation = Validate(*parsed.options);
  const std::string report = parsed.options->json ? ValidationJson(validation) : ValidationText(validation);
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);
  return validation.Failed() ? 1 : 0;
}

}  // namespace plugin_host
