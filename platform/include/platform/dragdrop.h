#pragma once
// OLE drag and drop of a dropped-files block (clipboard format 15) onto another program's window.
// Windows: DoDragDrop with our own drop source and a data object that owns the block in movable global
// memory. POSIX: not available (nothing can be prepared). Needs OLE initialised on the calling thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "platform/window.h"

namespace platform {

// The drop source's answers to OLE while the drag runs.
inline constexpr std::uint32_t kDragDropDrop = 0x00040100;
inline constexpr std::uint32_t kDragDropCancel = 0x00040101;
inline constexpr std::uint32_t kDragDropUseDefaultCursors = 0x00040102;
// Copy, move and link: every effect a drop target may choose.
inline constexpr std::uint32_t kDropEffectAny = 7;

// A drag ready to run: its data object and, while it lives, the placeholder in the active-window slot.
class PreparedDrag {
 public:
  virtual ~PreparedDrag() = default;
  // Runs one drag offering kDropEffectAny; the drop source drops at once while the cursor is strictly
  // inside `target` and cancels otherwise. Returns the effect the target chose; 0 when nothing was
  // dropped or the drag failed. Blocks until the target has taken the data.
  virtual std::uint32_t Drag(WindowHandle target) = 0;
};

class DragDrop {
 public:
  virtual ~DragDrop() = default;
  // Allocates a zero-filled block of `bytes`, lets `fill` write it, and hands it to a new data object
  // (format 15, content aspect) that frees it when released. When the application's active-window slot
  // is empty, a hidden placeholder window fills it until the drag is destroyed. Nothing when memory or
  // the placeholder cannot be had.
  virtual std::unique_ptr<PreparedDrag> Prepare(std::size_t bytes,
                                                const std::function<void(std::span<std::uint8_t>)>& fill) = 0;
};

// The drop source's answer to OLE's "continue?": drop when the cursor is strictly inside the target's
// screen rectangle, else cancel (also when either cannot be read). Consults no key or button state.
std::uint32_t ContinueDragAnswer(Windows& windows, WindowHandle target);

}  // namespace platform
