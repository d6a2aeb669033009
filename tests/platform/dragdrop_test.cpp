// Drag and drop and the window functions against a real program: the stand-in encoder is started, its
// batch document window found, the cursor placed over it, and a dropped-files block dragged there. It
// records what arrived. Where the build has no windows (POSIX), nothing can be prepared.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "wait_for.h"

#ifndef VORLANE_FAKE_ENCODER
#define VORLANE_FAKE_ENCODER ""
#endif

namespace {

using platform::WindowHandle;

// A dropped-files block: the 20-byte header (list offset 20, point 10,10, wide) and the wide list.
std::vector<std::uint8_t> DropFilesBlock(const std::vector<std::u16string>& files, std::size_t bytes) {
  std::vector<std::uint8_t> block(bytes, 0);
  const std::uint32_t header[5] = {20, 10, 10, 0, 1};
  std::memcpy(block.data(), header, sizeof header);
  std::size_t at = 20;
  for (const std::u16string& file : files) {
    std::memcpy(block.data() + at, file.data(), file.size() * 2);
    at += (file.size() + 1) * 2;
  }
  return block;
}

TEST(DragDrop, DeliversTheFilesToTheEncodersDocumentWindow) {
  platform::System& system = platform::RealSystem();
  if (!system.windows.Available()) {
    EXPECT_EQ(system.dragDrop.Prepare(64, [](std::span<std::uint8_t>) {}), nullptr);
    EXPECT_FALSE(system.automation.InitializeOle());
    return;
  }
  vorlane::test::TempDir dir;
  std::filesystem::copy_file(VORLANE_FAKE_ENCODER, dir.FsPath() / "MediaCleanerPro.exe");
  platform::ProcessStart start;
  start.application = dir.Join(u"MediaCleanerPro.exe");
  start.commandLine = u"\"" + start.application + u"\"";
  start.waitForIdleMs = 20000;
  ASSERT_TRUE(system.processes.Start(start).started);

  const WindowHandle main =
      vorlane::test::WaitFor([&] { return system.windows.FindTopLevel(u"MainClassW", u"Media Cleaner Pro"); });
  ASSERT_NE(main, nullptr);
  const WindowHandle client = system.windows.FindChild(main, nullptr, u"MDIClient");
  const WindowHandle document = system.windows.FindChild(client, nullptr, u"MCChildWindowNoClose");
  ASSERT_NE(document, nullptr);
  EXPECT_TRUE(system.windows.Exists(main));
  EXPECT_FALSE(system.windows.Exists(nullptr));
  EXPECT_FALSE(system.windows.IsMinimized(main));
  EXPECT_TRUE(system.windows.Show(main, false));
  EXPECT_TRUE(system.windows.MakeTopmost(main, true));

  const std::optional<platform::Rect> rect = system.windows.WindowRect(document);
  ASSERT_TRUE(rect);
  const platform::Point centre{(rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2};
  ASSERT_TRUE(system.windows.SetCursor(centre));
  system.windows.BringToTop(document);
  const std::optional<platform::Point> cursor = system.windows.CursorPosition();
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->x, centre.x);
  EXPECT_EQ(cursor->y, centre.y);
  WindowHandle under = system.windows.FromPoint(centre);
  while (under != nullptr && under != document) under = system.windows.Parent(under);
  EXPECT_EQ(under, document) << "the document window must be under its own centre";
  EXPECT_TRUE(system.windows.MakeTopmost(main, false));  // before the drop, after which the encoder ends

  ASSERT_TRUE(system.automation.InitializeOle());
  const std::vector<std::u16string> files = {dir.Join(u"clip one.avi"), dir.Join(u"\u00fcber.wav")};
  const std::vector<std::uint8_t> block = DropFilesBlock(files, 52022);
  {
    const auto drag = system.dragDrop.Prepare(block.size(), [&](std::span<std::uint8_t> memory) {
      std::memcpy(memory.data(), block.data(), block.size());
    });
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(drag->Drag(nullptr), 0u) << "a target that is no window must cancel the drag";
    EXPECT_EQ(drag->Drag(document), 1u) << "the encoder takes the files as a copy";
  }
  system.automation.UninitializeOle();

  ASSERT_TRUE(vorlane::test::WaitForFiles({dir.Join(u"dropped.txt")}));
  EXPECT_EQ(dir.ReadFile(u"dropped.txt"),
            platform::Utf16ToUtf8(files[0]) + "\n" + platform::Utf16ToUtf8(files[1]) + "\n");
}

}  // namespace
