#include "drop_on_encoder.h"

#include <memory>

#include "encoder_windows.h"
#include "handoff_timing.h"
#include "ole_session.h"

namespace encoder {
namespace {

// Sets the main window back among the non-topmost ones on every way out, once it was found.
class TopmostReset {
 public:
  TopmostReset(platform::Windows& windows, platform::WindowHandle window) : windows_(windows), window_(window) {}
  TopmostReset(const TopmostReset&) = delete;
  TopmostReset& operator=(const TopmostReset&) = delete;
  ~TopmostReset() {
    if (window_ != nullptr) windows_.MakeTopmost(window_, false);
  }

 private:
  platform::Windows& windows_;
  platform::WindowHandle window_;
};

platform::Point CentreOf(const platform::Rect& rect) {
  // In 64 bits, so that no rectangle overflows; the centre of 32-bit edges fits 32 bits again.
  const auto x = rect.left + (static_cast<std::int64_t>(rect.right) - rect.left) / 2;
  const auto y = rect.top + (static_cast<std::int64_t>(rect.bottom) - rect.top) / 2;
  return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

// True when the window under `point` is `target` or lies inside it.
bool TargetIsUnder(platform::Windows& windows, platform::Point point, platform::WindowHandle target) {
  platform::WindowHandle window = windows.FromPoint(point);
  while (window != nullptr && window != target) window = windows.Parent(window);
  return window == target;
}

bool DragOntoDocument(platform::System& system, platform::PreparedDrag& drag, platform::WindowHandle document) {
  for (int attempt = 1; attempt <= kCursorAttempts; ++attempt) {
    if (attempt > 1) system.clock.Sleep(kFailedAttemptPauseMs);
    // A window that vanished has no rectangle: that attempt fails like a covered one.
    const std::optional<platform::Rect> rect = system.windows.WindowRect(document);
    if (!rect) continue;
    const platform::Point centre = CentreOf(*rect);
    system.windows.SetCursor(centre);
    system.windows.BringToTop(document);
    if (!TargetIsUnder(system.windows, centre, document)) continue;
    for (int call = 0; call < kDragCallsPerAttempt; ++call) {
      // A drop where no target took the data reports no effect.
      if ((drag.Drag(document) & platform::kDropEffectAny) != 0) return true;
    }
    return false;
  }
  return false;
}

}  // namespace

bool DropOnEncoder(platform::System& system, EncoderKind kind, HandOffPayloads& payloads) {
  OleSession ole(system.automation);
  if (!ole.Initialized()) return false;
  const platform::WindowHandle mainWindow = FindEncoderMainWindow(system, kind, kMainWindowSearchMs);
  const TopmostReset topmostReset(system.windows, mainWindow);
  const platform::WindowHandle document =
      mainWindow != nullptr ? FindEncoderDocumentWindow(system, mainWindow, kind, kDocumentWindowSearchMs) : nullptr;
  const bool found = mainWindow != nullptr && document != nullptr;
  if (found) {
    system.windows.Show(mainWindow, system.windows.IsMinimized(mainWindow));
    system.windows.MakeTopmost(mainWindow, true);
  }
  if (payloads.ObjectCount() == 0 || !found) return found;

  const std::unique_ptr<platform::PreparedDrag> drag = system.dragDrop.Prepare(
      kDropFileListBytes, [&payloads](std::span<std::uint8_t> block) { payloads.FillDropFileList(block); });
  return drag != nullptr && DragOntoDocument(system, *drag, document);
}

}  // namespace encoder
