#pragma once
// The stand-in host library's traces while this lives, each as its level, a blank and its text.
#include <string>
#include <vector>

#include "hostlib/standin.h"

namespace vorlane::test {

class TraceLines {
 public:
  TraceLines() { CorvanaStandInSetTraceSink(&Collect, &lines_); }
  ~TraceLines() { CorvanaStandInSetTraceSink(nullptr, nullptr); }
  TraceLines(const TraceLines&) = delete;
  TraceLines& operator=(const TraceLines&) = delete;

  // Whether a line holds `text` ("0 cannot delete ": a failure-level trace that begins so).
  bool Has(const std::string& text) const {
    for (const std::string& line : lines_) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }
  void Clear() { lines_.clear(); }

 private:
  static void Collect(int, int level, const char* line, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(std::to_string(level) + " " + line);
  }
  std::vector<std::string> lines_;
};

}  // namespace vorlane::test
