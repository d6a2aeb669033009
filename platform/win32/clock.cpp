// Windows: GetTickCount and Sleep.
#include <windows.h>

#include "real_parts.h"

namespace platform {
namespace {

class Win32Clock final : public Clock {
 public:
  std::uint32_t TickCount() override { return GetTickCount(); }
  void Sleep(std::uint32_t ms) override { ::Sleep(ms); }
};

}  // namespace

Clock& RealClock() {
  static Win32Clock clock;
  return clock;
}

}  // namespace platform
