#pragma once
// Stand-ins for concerns a build does not offer, and for the parts a test leaves out of a fake system:
// nothing is found, nothing happens, every write fails.
#include <atomic>
#include <cstdint>

#include "platform/automation.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/dragdrop.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/registry.h"
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

// Every file is missing and unwritable: reads give the default, writes fail.
class UnavailableProfile final : public Profile {
 public:
  ProfileString ReadString(std::u16string_view, std::u16string_view, std::u16string_view,
                           std::u16string_view defaultValue, std::uint32_t size) override {
    if (size == 0) return {};
    const std::u16string_view value = defaultValue.substr(0, std::size_t{size} - 1);
    return {std::u16string(value), static_cast<std::uint32_t>(value.size())};
  }
  std::int32_t ReadInt(std::u16string_view, std::u16string_view, std::u16string_view,
                       std::int32_t defaultValue) override {
    return defaultValue;
  }
  bool WriteString(std::u16string_view, std::u16string_view, std::u16string_view,
                   std::optional<std::u16string_view>) override {
    return false;
  }
  bool WriteSection(std::u16string_view, std::u16string_view,
                    const std::optional<std::vector<std::u16string>>&) override {
    return false;
  }
  bool WriteBatch(std::u16string_view, const std::vector<ProfileWrite>&) override { return false; }
  bool Touch(std::u16string_view) override { return false; }
};

// No key opens.
class UnavailableRegistry final : public Registry {
 public:
  RegistryValue ReadString(std::u16string_view, std::optional<std::u16string_view>, std::size_t) override {
    return {};
  }
};

// No path exists and nothing can be written.
class UnavailableFiles final : public Files {
 public:
  std::vector<FileEntry> Find(std::u16string_view) override { return {}; }
  std::optional<FileEntry> FindFirst(std::u16string_view) override { return std::nullopt; }
  std::optional<FileEntry> Attributes(std::u16string_view) override { return std::nullopt; }
  std::optional<std::u16string> FullPath(std::u16string_view) override { return std::nullopt; }
  std::optional<std::u16string> ShortPath(std::u16string_view) override { return std::nullopt; }
  bool Remove(std::u16string_view) override { return false; }
  std::u16string ModulePath(void*) override { return {}; }
  std::optional<std::string> ReadBytes(std::u16string_view, std::size_t) override { return std::nullopt; }
  std::optional<std::string> ReadBytesDenyingWrite(std::u16string_view, std::size_t) override {
    return std::nullopt;
  }
  bool WriteBytes(std::u16string_view, std::string_view) override { return false; }
  bool AppendBytes(std::u16string_view, std::string_view) override { return false; }
};

// No program starts.
class UnavailableProcesses final : public Processes {
 public:
  ProcessResult Start(const ProcessStart&) override { return {}; }
};

// Every wait is already over: each reading is far past the one before (a fixed tick would hang every
// loop that waits for a deadline), and Sleep returns at once.
class UnavailableClock final : public Clock {
 public:
  static constexpr std::uint32_t kStepPerRead = 0x40000000;  // about 12 days, beyond any wait of ours

  std::uint32_t TickCount() override { return now_.fetch_add(kStepPerRead) + kStepPerRead; }
  void Sleep(std::uint32_t) override {}

 private:
  std::atomic<std::uint32_t> now_{0};
};

}  // namespace platform
