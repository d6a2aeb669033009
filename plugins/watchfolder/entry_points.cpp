// Fennick, the watch-folder import, on the receive frame: its entry points trace in mixed case.
#include "hostlib/corvana.h"
#include "receive_frame.h"
#include "watch_run.h"
#include "watchfolder_shell.h"

namespace {

constexpr std::uint32_t kBrowserTitleString = 3;

// The halves of the watch time in memory live as long as the module: a half stored as junk keeps them.
watchfolder::WatchTime& WatchTimeInMemory() {
  static watchfolder::WatchTime time;
  return time;
}

std::int32_t RunScan(platform::System& system, receive_frame::ReceiveState& state) {
  const char16_t* title = LoadHostString(platform::ThisModule(), kBrowserTitleString);
  return watchfolder::RunWatchFolder(system, {state.files.clipList, state.files.settings, title != nullptr ? title : u"",
                                              state.startupPath, WatchTimeInMemory()});
}

constexpr receive_frame::ReceivePlugin kFennick{
    .marker = u"\\fennick",
    .settingsName = u"fennick.ini",
    .startupTrace = u"STARTUP\n",
    .menuNameTrace = u"GetMenuName\n",
    .commentTrace = u"GetComment\n",
    .flagsTrace = u"GetFlags\n",
    .executeTrace = nullptr,
    .menuNameString = 1,
    .commentString = 2,
    .started = &watchfolder::TraceStarted,
    .shutdown = &watchfolder::TraceShutdown,
    .execute = &RunScan,
    .executeFailure = 1,
    .executeFaultTrace = nullptr,
};

}  // namespace

const receive_frame::ReceivePlugin& receive_frame::ThisPlugin() { return kFennick; }
