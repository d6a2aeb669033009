#pragma once
// Records every process start instead of starting anything.
#include <functional>
#include <vector>

#include "platform/process.h"

namespace platform::fake {

class FakeProcesses final : public Processes {
 public:
  ProcessResult Start(const ProcessStart& start) override {
    starts.push_back(start);
    const bool fails = failAll || (failFrom > 0 && starts.size() >= failFrom);
    if (!fails && onStart) onStart(start);
    return fails ? ProcessResult{} : ProcessResult{true, becomesIdle};
  }

  std::vector<ProcessStart> starts;  // every start asked for, failed ones included
  bool failAll = false;
  std::size_t failFrom = 0;  // 1-based number of the first start that fails; 0: none
  bool becomesIdle = true;
  std::function<void(const ProcessStart&)> onStart;  // what a started program does, such as open windows
};

}  // namespace platform::fake
