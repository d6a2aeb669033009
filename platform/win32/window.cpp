// Windows: the real window and cursor functions.
#include <windows.h>

#include "real_parts.h"
#include "wide.h"

namespace platform {
namespace {

HWND Handle(WindowHandle window) { return static_cast<HWND>(window); }

class Win32Windows final : public Windows {
 public:
  bool Available() override { return true; }

  WindowHandle FindTopLevel(std::u16string_view className, std::optional<std::u16string_view> title) override {
    const std::u16string cls(className);
    const std::u16string text = title ? std::u16string(*title) : std::u16string();
    return FindWindowW(Wide(cls), text.empty() ? nullptr : Wide(text));
  }

  WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::u16string_view className) override {
    const std::u16string cls(className);
    return FindWindowExW(Handle(parent), Handle(after), Wide(cls), nullptr);
  }

  WindowHandle Desktop() override { return GetDesktopWindow(); }
  WindowHandle Parent(WindowHandle window) override { return GetParent(Handle(window)); }
  WindowHandle FromPoint(Point point) override { return WindowFromPoint(POINT{point.x, point.y}); }

  std::optional<Rect> WindowRect(WindowHandle window) override {
    RECT rect{};
    if (!GetWindowRect(Handle(window), &rect)) return std::nullopt;
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
  }

  bool MakeTopmost(WindowHandle window, bool topmost) override {
    return SetWindowPos(Handle(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE) != FALSE;
  }

  bool SetCursor(Point point) override { return SetCursorPos(point.x, point.y) != FALSE; }
};

}  // namespace

Windows& RealWindows() {
  static Win32Windows windows;
  return windows;
}

}  // namespace platform
