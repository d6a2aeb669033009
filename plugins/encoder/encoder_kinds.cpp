#include "encoder_kinds.h"

#include <array>

namespace encoder {
namespace {

constexpr std::array<EncoderKindFacts, 4> kKinds{{
    {EncoderKind::Cleaner5,
     {RegistryRouteKind::UninstallEntry, u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5",
      u"\\cleaner 5.exe"},
     u"Cleaner 5", u"MCChildWindowNoCloseT", Delivery::BatchFileAndAutomation},
    {EncoderKind::Cleaner5Ez,
     {RegistryRouteKind::UninstallEntry, u"Software\\MicroSoft\\Windows\\CurrentVersion\\UnInstall\\Cleaner 5 EZ",
      u"\\cleanerEZ5.exe"},
     u"Cleaner EZ", u"MCChildWindowNoCloseT", Delivery::StartThenDrop},
    {EncoderKind::MediaCleanerPro,
     {RegistryRouteKind::AppPath, u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerPro.EXE", {}},
     u"Media Cleaner Pro", u"MCChildWindowNoClose", Delivery::CommandLineWhenStarted},
    {EncoderKind::MediaCleanerEz,
     {RegistryRouteKind::AppPath, u"Software\\MicroSoft\\Windows\\CurrentVersion\\App Paths\\MediaCleanerEZ.EXE", {}},
     u"Media Cleaner EZ", u"MCChildWindowNoClose", Delivery::StartThenDrop},
}};

}  // namespace

std::span<const EncoderKindFacts> EncoderKinds() { return kKinds; }

const EncoderKindFacts* FactsOf(EncoderKind kind) {
  for (const EncoderKindFacts& facts : kKinds) {
    if (facts.kind == kind) return &facts;
  }
  return nullptr;
}

}  // namespace encoder
