#pragma once
// Scripted windows: a test lists the windows that exist; the fake answers lookups from that list and
// records what the code under test did to them. Class and title compare without regard to case, as the
// real lookups do.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/window.h"

namespace platform::fake {

struct FakeWindow {
  WindowHandle handle = nullptr;
  std::u16string className;
  std::u16string title;
  WindowHandle parent = nullptr;  // nullptr: a top-level window
  Rect rect;
};

class FakeWindows final : public Windows {
 public:
  bool Available() override { return available; }

  WindowHandle FindTopLevel(std::u16string_view className, std::optional<std::u16string_view> title) override {
    for (const FakeWindow& w : windows) {
      if (w.parent == nullptr && EqualsNoCase(w.className, className) &&
          (!title || title->empty() || EqualsNoCase(w.title, *title))) {
        return w.handle;
      }
    }
    return nullptr;
  }

  WindowHandle FindChild(WindowHandle parent, WindowHandle after, std::u16string_view className) override {
    bool passed = after == nullptr;
    for (const FakeWindow& w : windows) {
      if (w.parent != parent) continue;
      if (!passed) {
        passed = w.handle == after;
        continue;
      }
      if (EqualsNoCase(w.className, className)) return w.handle;
    }
    return nullptr;
  }

  WindowHandle Desktop() override { return desktop; }

  WindowHandle Parent(WindowHandle window) override {
    const FakeWindow* w = Lookup(window);
    return w != nullptr ? w->parent : nullptr;
  }

  WindowHandle FromPoint(Point point) override {
    const auto hit = pointHits.find({point.x, point.y});
    return hit != pointHits.end() ? hit->second : nullptr;
  }

  std::optional<Rect> WindowRect(WindowHandle window) override {
    const FakeWindow* w = Lookup(window);
    if (w == nullptr) return std::nullopt;
    return w->rect;
  }

  bool Exists(WindowHandle window) override { return window != nullptr && Lookup(window) != nullptr; }

  bool IsMinimized(WindowHandle window) override { return minimized.count(window) != 0; }

  bool Show(WindowHandle window, bool restore) override {
    shows.push_back({window, restore});
    if (restore) minimized.erase(window);
    return Exists(window);
  }

  bool MakeTopmost(WindowHandle window, bool topmost) override {
    topmostCalls.push_back({window, topmost});
    if (!Exists(window)) return false;
    if (topmost) {
      topmostNow.insert(window);
    } else {
      topmostNow.erase(window);
    }
    return true;
  }

  bool BringToTop(WindowHandle window) override {
    raised.push_back(window);
    return Exists(window);
  }

  bool SetCursor(Point point) override {
    cursorMoves.push_back(point);
    if (available) cursor = point;
    return available;
  }

  std::optional<Point> CursorPosition() override { return available ? std::optional<Point>(cursor) : std::nullopt; }

  // Removes a window and its children, as when its program ends.
  void Remove(WindowHandle window) {
    std::erase_if(windows, [&](const FakeWindow& w) { return w.handle == window || w.parent == window; });
  }

  bool available = true;
  WindowHandle desktop = reinterpret_cast<WindowHandle>(0xDE5C);
  std::vector<FakeWindow> windows;                             // in Z order, top first
  std::map<std::pair<std::int32_t, std::int32_t>, WindowHandle> pointHits;  // what FromPoint finds
  std::set<WindowHandle> minimized;
  Point cursor;
  std::vector<std::pair<WindowHandle, bool>> topmostCalls;
  std::set<WindowHandle> topmostNow;                            // windows left topmost
  std::vector<std::pair<WindowHandle, bool>> shows;             // window, restored first
  std::vector<WindowHandle> raised;
  std::vector<Point> cursorMoves;

 private:
  const FakeWindow* Lookup(WindowHandle handle) const {
    for (const FakeWindow& w : windows) {
      if (w.handle == handle) return &w;
    }
    return nullptr;
  }
};

}  // namespace platform::fake
