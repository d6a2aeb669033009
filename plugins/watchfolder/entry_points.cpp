// Fennick, the watch-folder import, on the receive frame: its entry points trace in mixed case.
#include "receive_frame.h"
#include "watchfolder_shell.h"

namespace {

// The scan is not built yet: nothing is imported.
std::int32_t RunScan(platform::System&, receive_frame::ReceiveState&) { return 0; }

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
    .executeFailure = 0,
    .executeFaultTrace = nullptr,
};

}  // namespace

const receive_frame::ReceivePlugin& receive_frame::ThisPlugin() { return kFennick; }
