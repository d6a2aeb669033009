#pragma once
// Top-level windows and the cursor. Windows: the real window functions. POSIX: no windows exist
// (every lookup finds nothing, every action fails).
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
  // FindWindowW / FindWindowExW; an empty title matches any title.
  virtual WindowHandle FindTopLevel(std::u16string_view className, std::optional<std::u16string_view> title) = 0;
  virtual WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::u16string_view className) = 0;
  virtual WindowHandle Desktop() = 0;
  virtual WindowHandle Parent(WindowHandle window) = 0;
  virtual WindowHandle FromPoint(Point point) = 0;
  virtual std::optional<Rect> WindowRect(WindowHandle window) = 0;
  virtual bool MakeTopmost(WindowHandle window, bool topmost) = 0;
  virtual bool SetCursor(Point point) = 0;
};

}  // namespace platform
