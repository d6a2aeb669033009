#include "platform/dragdrop.h"

namespace platform {

std::uint32_t ContinueDragAnswer(Windows& windows, WindowHandle target) {
  const std::optional<Point> cursor = windows.CursorPosition();
  const std::optional<Rect> rect = windows.WindowRect(target);
  if (!cursor || !rect) return kDragDropCancel;
  return StrictlyInside(*rect, *cursor) ? kDragDropDrop : kDragDropCancel;
}

}  // namespace platform
