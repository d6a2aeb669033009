// Entry points of Fennick, the watch-folder import. Every entry point traces at level 13.
#include <cstdint>

#include "contract/boundary_text.h"
#include "contract/entry_points.h"
#include "hostlib/corvana.h"
#include "platform/system.h"
#include "watchfolder_shell.h"

namespace {

constexpr int kTraceCategory = 69;
constexpr int kEntryLevel = 13;
constexpr std::uint32_t kMenuNameString = 1;
constexpr std::uint32_t kCommentString = 2;

}  // namespace

std::int32_t VORLANE_CALL Startup() noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"STARTUP\n");
    platform::System& system = platform::RealSystem();
    watchfolder::StartWatchFolder(system.profile, system.files.ModulePath(platform::ThisModule()),
                                  watchfolder::State());
  } catch (...) {
  }
  return 1;
}

// Nothing is saved here: the settings are written by each run.
void VORLANE_CALL Shutdown() noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"szStartupPath: %s\n", watchfolder::State().folder.c_str());
    HostTrace(kTraceCategory, kEntryLevel, u"Shutdown\n");
  } catch (...) {
  }
}

std::int32_t VORLANE_CALL GetMenuName(char* name, std::int32_t length, std::int32_t* available) noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"GetMenuName\n");
    contract::HostStringToBuffer(LoadHostString(platform::ThisModule(), kMenuNameString), name, length);
  } catch (...) {
  }
  if (available != nullptr) *available = 1;
  return 1;
}

std::int32_t VORLANE_CALL GetComment(char* comment, std::int32_t length) noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"GetComment\n");
    contract::HostStringToBuffer(LoadHostString(platform::ThisModule(), kCommentString), comment, length);
  } catch (...) {
  }
  return 1;
}

std::uint32_t VORLANE_CALL GetFlags() noexcept {
  try {
    HostTrace(kTraceCategory, kEntryLevel, u"GetFlags\n");
  } catch (...) {
  }
  return contract::kReceiveFlags;
}

// The scan is not built yet: nothing is imported.
std::int32_t VORLANE_CALL Execute(const char*) noexcept { return 0; }
