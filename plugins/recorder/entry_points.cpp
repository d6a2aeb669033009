// Moltrin, the disk-recorder import, on the receive frame: every entry point traces its name in upper case.
#include "import_run.h"
#include "receive_frame.h"
#include "recorder_shell.h"

namespace {

std::int32_t RunImport(platform::System& system, receive_frame::ReceiveState& state) {
  return recorder::RunImport(system, state.files, state.startupPath);
}

constexpr receive_frame::ReceivePlugin kMoltrin{
    .marker = u"\\moltrin",
    .settingsName = u"moltrin.ini",
    .startupTrace = u"STARTUP\n",
    .menuNameTrace = u"GETMENUNAME\n",
    .commentTrace = u"GETCOMMENT\n",
    .flagsTrace = u"GETFLAGS\n",
    .executeTrace = u"EXECUTE\n",
    .menuNameString = 1,
    .commentString = 4,
    .started = &recorder::TraceStarted,
    .shutdown = &recorder::StopRecorder,
    .execute = &RunImport,
    .executeFailure = 0,
    .executeFaultTrace = u"access violation Execute\n",
};

}  // namespace

const receive_frame::ReceivePlugin& receive_frame::ThisPlugin() { return kMoltrin; }
