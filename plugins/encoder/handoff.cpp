#include "handoff.h"

#include "drop_on_encoder.h"
#include "launch_encoder.h"
#include "ole_session.h"
#include "send_by_automation.h"

namespace encoder {
namespace {

bool SendToCleaner5(platform::System& system, const EncoderInfo& encoder, HandOffPayloads& payloads) {
  payloads.WriteBatchFile(encoder.executable);
  const OleSession ole(system.automation);
  if (!ole.Initialized()) return false;
  // Released before OLE is uninitialised.
  const std::unique_ptr<platform::AutomationObject> object =
      system.automation.Create(kCleaner5ClassId, kCleaner5InterfaceId);
  return object != nullptr && SendByAutomation(system, object.get(), payloads);
}

}  // namespace

bool HandOffToEncoder(platform::System& system, const EncoderInfo& encoder, HandOffPayloads& payloads) {
  switch (encoder.kind) {
    case EncoderKind::None:
      return false;
    case EncoderKind::Cleaner5:
      return SendToCleaner5(system, encoder, payloads);
    case EncoderKind::MediaCleanerEz:
    case EncoderKind::MediaCleanerPro:
    case EncoderKind::Cleaner5Ez:
      break;
  }
  bool launched = false;
  if (!LaunchEncoder(system, encoder.kind, encoder.executable, payloads, launched)) return false;
  // A Media Cleaner Pro started just now already has the files on its command line.
  if (encoder.kind == EncoderKind::MediaCleanerPro && launched) return true;
  return DropOnEncoder(system, encoder.kind, payloads);
}

}  // namespace encoder
