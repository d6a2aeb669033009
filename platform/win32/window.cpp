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

  bool Exists(WindowHandle window) override { return IsWindow(Handle(window)) != FALSE; }
  bool IsMinimized(WindowHandle window) override { return IsIconic(Handle(window)) != FALSE; }

  // ShowWindow answers whether the window was visible before, not whether the call worked.
  bool Show(WindowHandle window, bool restore) override {
    if (!IsWindow(Handle(window))) return false;
    ShowWindow(Handle(window), restore ? SW_RESTORE : SW_SHOW);
    return true;
  }

  bool MakeTopmost(WindowHandle window, bool topmost) override {
    return SetWindowPos(Handle(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE) != FALSE;
  }

  bool BringToTop(WindowHandle window) override { return BringWindowToTop(Handle(window)) != FALSE; }
  bool SetCursor(Point point) override { return SetCursorPos(point.x, point.y) != FALSE; }

  std::optional<Point> CursorPosition() override {
    POINT point{};
    if (!GetCursorPos(&point)) return std::nullopt;
    return Point{point.x, point.y};
  }
};

}  // namespace

Windows& RealWindows() {
  static Win32Windows windows;
  return windows;
}

}  // namespace platform
