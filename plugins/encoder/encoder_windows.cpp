#include "encoder_windows.h"

#include <string_view>

#include "handoff_timing.h"

namespace encoder {
namespace {

constexpr std::u16string_view kMainWindowClass = u"MainClassW";
constexpr std::u16string_view kMdiClientClass = u"MDIClient";

// Looks for the first child of `parent` with `className`, pausing between looks, until the budget
// that began at `start` is spent.
platform::WindowHandle WaitForChild(platform::System& system, platform::WindowHandle parent,
                                    std::u16string_view className, std::uint32_t start, std::uint32_t timeoutMs) {
  platform::WindowHandle child = system.windows.FindChild(parent, nullptr, className);
  while (child == nullptr) {
    if (ElapsedSince(system.clock.TickCount(), start) >= timeoutMs) return nullptr;
    system.clock.Sleep(kDocumentLookPauseMs);
    child = system.windows.FindChild(parent, nullptr, className);
  }
  return child;
}

}  // namespace

platform::WindowHandle FindEncoderMainWindow(platform::System& system, EncoderKind kind, std::uint32_t timeoutMs) {
  const EncoderKindFacts* facts = FactsOf(kind);
  if (facts == nullptr) return nullptr;
  const std::uint32_t start = system.clock.TickCount();
  platform::WindowHandle window = system.windows.FindTopLevel(kMainWindowClass, facts->mainWindowTitle);
  while (window == nullptr && ElapsedSince(system.clock.TickCount(), start) < timeoutMs) {
    window = system.windows.FindTopLevel(kMainWindowClass, facts->mainWindowTitle);
  }
  return window;
}

platform::WindowHandle FindEncoderDocumentWindow(platform::System& system, platform::WindowHandle mainWindow,
                                                 EncoderKind kind, std::uint32_t timeoutMs) {
  if (!system.windows.Exists(mainWindow)) return nullptr;
  const EncoderKindFacts* facts = FactsOf(kind);
  if (facts == nullptr) return nullptr;
  const std::uint32_t start = system.clock.TickCount();
  const platform::WindowHandle client = WaitForChild(system, mainWindow, kMdiClientClass, start, timeoutMs);
  if (client == nullptr) return nullptr;
  return WaitForChild(system, client, facts->documentWindowClass, start, timeoutMs);
}

}  // namespace encoder
