#include "handoff.h"

#include "drop_on_encoder.h"
#include "launch_encoder.h"
#include "ole_session.h"
#include "send_by_automation.h"

namespace encoder {
namespace {

bool SendToCleaner5(platform::System& system, const EncoderInfo& encoder, HandOffPayloads& payloads) {
  // The files reach Cleaner 5 through AddFile whether or not QN.TXT could be written, so the hand-off
  // goes on and the automation's result is the answer.
  payloads.WriteBatchFile(encoder.executable);
  const OleSession ole(system.automation);
  if (!ole.Initialized()) return false;
  // Released before OLE is uninitialised.
  const std::unique_ptr<platform::AutomationObject> object =
      system.automation.Create(kCleaner5ClassId, kCleaner5InterfaceId);
  return object != nullptr && SendByAutomation(system, object.get(), payloads);
}

bool StartOrDrop(platform::System& system, const EncoderInfo& encoder, Delivery delivery,
                 HandOffPayloads& payloads) {
  const LaunchResult launch = LaunchEncoder(system, encoder.kind, encoder.executable, payloads);
  if (launch == LaunchResult::Failed) return false;
  // Started just now, it already has the files on its command line.
  if (launch == LaunchResult::Started && delivery == Delivery::CommandLineWhenStarted) return true;
  return DropOnEncoder(system, encoder.kind, payloads);
}

}  // namespace

bool HandOffToEncoder(platform::System& system, const EncoderInfo& encoder, HandOffPayloads& payloads) {
  const EncoderKindFacts* facts = FactsOf(encoder.kind);
  if (facts == nullptr) return false;
  switch (facts->delivery) {
    case Delivery::BatchFileAndAutomation:
      return SendToCleaner5(system, encoder, payloads);
    case Delivery::CommandLineWhenStarted:
    case Delivery::StartThenDrop:
      return StartOrDrop(system, encoder, facts->delivery, payloads);
  }
  return false;
}

}  // namespace encoder
