#include <cstdio>

#include "report.h"
#include "validate.h"

namespace plugin_host {
namespace {

struct Counts {
  int passed = 0, failed = 0, skipped = 0;
};

Counts Count(const Validation& validation) {
  Counts counts;
  for (const auto& plugin : validation.plugins)
    for (const auto& check : plugin.checks)
      ++(check.result == CheckResult::Pass ? counts.passed
         : check.result == CheckResult::Fail ? counts.failed : counts.skipped);
  return counts;
}

std::string Milliseconds(double ms) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.1f", ms);
  return text;
}

}  // namespace

std::string ValidationText(const Validation& v) {
  const auto checks = Checks();
  std::string out = "plugin-host validate: level " + std::to_string(v.options.level) + ", seed " +
                    std::to_string(v.options.seed) + ", timeout " + std::to_string(v.options.timeoutMs) +
                    " ms per check" + (v.options.faultChecks ? "" : ", no fault checks") +
                    (v.options.oneChild ? ", one child" : "") +
                    (v.options.skip.empty() ? "" : ", left out: " + SkippedArgument(v.options.skip)) + "\n";
  for (const auto& plugin : v.plugins) {
    out += plugin.path + " (" + KindName(plugin.kind) + ")\n";
    for (const auto& record : plugin.checks) {
      char line[96];
      std::snprintf(line, sizeof(line), "  %-4s  %-20s %9s ms", record.result == CheckResult::Fail ? "FAIL"
                                                                 : record.result == CheckResult::Skip ? "skip" : "pass",
                    checks[record.check].name, Milliseconds(record.milliseconds).c_str());
      out += line;
      if (!record.message.empty()) out += "  " + record.message;
      out += "\n";
    }
  }
  const Counts counts = Count(v);
  out += std::to_string(v.plugins.size()) + " plug-ins: " + std::to_string(counts.passed) + " passed, " +
         std::to_string(counts.failed) + " failed, " + std::to_string(counts.skipped) + " skipped\n";
  return out;
}

std::string ValidationJson(const Validation& v) {
  const auto checks = Checks();
  std::string out = "{\n  \"level\": " + std::to_string(v.options.level) + ",\n  \"seed\": " +
                    std::to_string(v.options.seed) + ",\n  \"timeoutMs\": " + std::to_string(v.options.timeoutMs) +
                    ",\n  \"faultChecks\": " + (v.options.faultChecks ? "true" : "false") +
                    ",\n  \"oneChild\": " + (v.options.oneChild ? "true" : "false") + ",\n  \"skip\": [";
  for (std::size_t i = 0; i < v.options.skip.size(); ++i) out += (i > 0 ? ", \"" : "\"") + v.options.skip[i] + "\"";
  out += "],\n  \"plugins\": [";
  for (std::size_t p = 0; p < v.plugins.size(); ++p) {
    const auto& plugin = v.plugins[p];
    out += std::string(p ? "," : "") + "\n    {\"path\": " + JsonString(plugin.path) + ", \"kind\": \"" +
           KindName(plugin.kind) + "\", \"checks\": [";
    for (std::size_t c = 0; c < plugin.checks.size(); ++c) {
      const auto& record = plugin.checks[c];
      const Check& check = checks[record.check];
      out += std::string(c ? "," : "") + "\n      {\"name\": \"" + check.name + "\", \"level\": " +
             std::to_string(check.level) + ", \"raisesFault\": " + (check.raisesFault ? "true" : "false") +
             ", \"result\": \"" + ResultName(record.result) + "\", \"ms\": " + Milliseconds(record.milliseconds) +
             ", \"message\": " + JsonString(record.message) + "}";
    }
    out += plugin.checks.empty() ? "]}" : "\n    ]}";
  }
  const Counts counts = Count(v);
  out += v.plugins.empty() ? "],\n" : "\n  ],\n";
  out += "  \"passed\": " + std::to_string(counts.passed) + ",\n  \"failed\": " + std::to_string(counts.failed) +
         ",\n  \"skipped\": " + std::to_string(counts.skipped) + "\n}\n";
  return out;
}

}  // namespace plugin_host
