#pragma once
// Top-level windows and the cursor. Windows: the real window functions. POSIX: no windows exist
// (every lookup finds nothing, every action fails). None of these block, except that raising another
// program's window waits for that program to take the message.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

using WindowHandle = void*;

struct Point { std::int32_t x = 0, y = 0; };
struct Rect { std::int32_t left = 0, top = 0, right = 0, bottom = 0; };

class Windows {
 public:
  virtual ~Windows() = default;
  virtual bool Available() = 0;
  // FindWindowW / FindWindowExW; an absent or empty title matches any title.
  virtual WindowHandle FindTopLevel(std::u16string_view className, std::optional<std::u16string_view> title) = 0;
  virtual WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::u16string_view className) = 0;
  virtual WindowHandle Desktop() = 0;
  virtual WindowHandle Parent(WindowHandle window) = 0;
  virtual WindowHandle FromPoint(Point point) = 0;
  virtual std::optional<Rect> WindowRect(WindowHandle window) = 0;
  // True while the handle names an existing window (IsWindow).
  virtual bool Exists(WindowHandle window) = 0;
  // True when the window is minimised (IsIconic).
  virtual bool IsMinimized(WindowHandle window) = 0;
  // Shows the window, restoring it from minimised or maximised first when `restore` is set.
  virtual bool Show(WindowHandle window, bool restore) = 0;
  // Puts the window above (or back among) the non-topmost windows and shows it; size and place stay.
  virtual bool MakeTopmost(WindowHandle window, bool topmost) = 0;
  virtual bool BringToTop(WindowHandle window) = 0;
  virtual bool SetCursor(Point point) = 0;
  // The cursor's screen position; nothing when it cannot be read.
  virtual std::optional<Point> CursorPosition() = 0;
};

// Strictly inside: a point on an edge is outside.
inline bool StrictlyInside(const Rect& rect, Point point) {
  return rect.left < point.x && point.x < rect.right && rect.top < point.y && point.y < rect.bottom;
}

}  // namespace platform
