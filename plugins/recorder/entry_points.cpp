// Entry points of Moltrin, the disk-recorder import. Every entry point traces its name first.
#include <cstdint>

#include "contract/boundary_text.h"
#include "contract/entry_guard.h"
#include "contract/entry_points.h"
#include "hostlib/corvana.h"
#include "platform/system.h"
#include "import_run.h"
#include "recorder_shell.h"

namespace {

constexpr int kTraceCategory = 69;
constexpr int kEntryLevel = 13;
constexpr std::uint32_t kMenuNameString = 1;
constexpr std::uint32_t kCommentString = 4;

}  // namespace

std::int32_t VORLANE_CALL Startup() noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"STARTUP\n");
    platform::System& system = platform::RealSystem();
    recorder::StartRecorder(system.profile, system.files.ModulePath(platform::ThisModule()), recorder::State());
  } catch (...) {
  }
  return 1;
}

void VORLANE_CALL Shutdown() noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"SHUTDOWN\n");
    recorder::StopRecorder(platform::RealSystem().profile, recorder::State());
  } catch (...) {
  }
}

std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"GETMENUNAME\n");
    contract::HostStringToBuffer(LoadHostString(platform::ThisModule(), kMenuNameString), name, length);
  } catch (...) {
  }
  if (available != nullptr) *available = 1;
  return 1;
}

std::int32_t VORLANE_CALL GetComment(char* comment, std::int32_t length) noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"GETCOMMENT\n");
    contract::HostStringToBuffer(LoadHostString(platform::ThisModule(), kCommentString), comment, length);
  } catch (...) {
  }
  return 1;
}

std::uint32_t VORLANE_CALL GetFlags() noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"GETFLAGS\n");
  } catch (...) {
  }
  return contract::kReceiveFlags;
}

std::int32_t VORLANE_CALL Execute(const char*) noexcept {
  return contract::GuardEntry(
      0,
      [] {
        HostTrace(kTraceCategory, kEntryLevel, u"EXECUTE\n");
        recorder::RecorderState& state = recorder::State();
        return recorder::RunImport(platform::RealSystem(), state.files, state.startupPath);
      },
      [] { HostTrace(kTraceCategory, 0, u"access violation Execute\n"); });
}
