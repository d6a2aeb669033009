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
  bool MakeTopmost(WindowHandle, bool) override { return false; }
  bool SetCursor(Point) override { return false; }
};

class UnavailableDragDrop final : public DragDrop {
 public:
  DropResult DropFiles(const std::vector<std::u16string>&) override { return DropResult::NotAvailable; }
};

class UnavailableAutomation final : public Automation {
 public:
  std::unique_ptr<AutomationObject> Create(std::u16string_view, std::u16string_view) override { return nullptr; }
};

// Every dialog is cancelled.
class CancellingDialogs final : public Dialogs {
 public:
  std::optional<OpenFileAnswer> OpenFile(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::u16string> BrowseFolder(const FolderRequest&) override { return std::nullopt; }
};

}  // namespace platform
