#pragma once
// Stand-ins for concerns a build does not offer (yet): nothing is found, nothing happens.
#include "platform/automation.h"
#include "platform/dialogs.h"
#include "platform/dragdrop.h"
#include "platform/window.h"

namespace platform {

// No windows: lookups find nothing, actions fail.
class UnavailableWindows final : public Windows {
 public:
  bool Available() override { return false; }
  WindowHandle FindTopLevel(std::u16string_view, std::optional<std::u16string_view>) override { return nullptr; }
  WindowHandle FindChild(WindowHandle, WindowHandle, std::u16string_view) override { return nullptr; }
  WindowHandle Desktop() override { return nullptr; }
  WindowHandle Parent(WindowHandle) override { return nullptr; }
  WindowHandle FromPoint(Point) override { return nullptr; }
  std::optional<Rect> WindowRect(WindowHandle) override { return std::nullopt; }
  bool Exists(WindowHandle) override { return false; }
  bool IsMinimized(WindowHandle) override { return false; }
  bool Show(WindowHandle, bool) override { return false; }
  bool MakeTopmost(WindowHandle, bool) override { return false; }
  bool BringToTop(WindowHandle) override { return false; }
  bool SetCursor(Point) override { return false; }
  std::optional<Point> CursorPosition() override { return std::nullopt; }
};

class UnavailableDragDrop final : public DragDrop {
 public:
  std::unique_ptr<PreparedDrag> Prepare(std::size_t, const std::function<void(std::span<std::uint8_t>)>&) override {
    return nullptr;
  }
};

// OLE cannot be initialised, so nothing that needs it starts.
class UnavailableAutomation final : public Automation {
 public:
  bool InitializeOle() override { return false; }
  void UninitializeOle() override {}
  std::unique_ptr<AutomationObject> Create(std::u16string_view, std::u16string_view) override { return nullptr; }
};

// Every dialog is cancelled.
class CancellingDialogs final : public Dialogs {
 public:
  std::optional<OpenFileAnswer> OpenFile(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::u16string> BrowseFolder(const FolderRequest&) override { return std::nullopt; }
};

}  // namespace platform
