// Automation objects against a real out-of-process server: the stand-in Cleaner 5 server is registered
// in the test's prefix, created through COM, and called through its function-table entries 12 and 14.
// Where the build has no COM (POSIX), OLE cannot be initialised and nothing is created.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "com_registration.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "wait_for.h"

#ifndef VORLANE_FAKE_CLEANER5
#define VORLANE_FAKE_CLEANER5 ""
#define VORLANE_FAKE_CLEANER5_TLB ""
#endif

namespace {

constexpr char16_t kClassId[] = u"{50D994EE-8834-11D3-8BBE-0000E85F332D}";
constexpr char16_t kInterfaceId[] = u"{50D994ED-8834-11D3-8BBE-0000E85F332D}";

TEST(Automation, CallsReachALocalServerThroughItsFunctionTable) {
  platform::System& system = platform::RealSystem();
  if (!system.windows.Available()) {
    EXPECT_FALSE(system.automation.InitializeOle());
    EXPECT_EQ(system.automation.Create(kClassId, kInterfaceId), nullptr);
    return;
  }
  vorlane::test::TempDir dir;
  std::filesystem::copy_file(VORLANE_FAKE_CLEANER5, dir.FsPath() / "fake_cleaner5.exe");
  ASSERT_TRUE(vorlane::test::RegisterLocalServer(kClassId, dir.Join(u"fake_cleaner5.exe"),
                                                 platform::Utf8ToUtf16(VORLANE_FAKE_CLEANER5_TLB)));

  ASSERT_TRUE(system.automation.InitializeOle());
  EXPECT_EQ(system.automation.Create(u"{00000000-1111-2222-3333-444444444444}", kInterfaceId), nullptr)
      << "an unregistered class must give nothing";
  auto object = system.automation.Create(kClassId, kInterfaceId);
  ASSERT_NE(object, nullptr);
  // The server reports ready only a while after it starts.
  platform::LongAnswer ready;
  vorlane::test::WaitFor([&] {
    ready = object->CallWithLongOut(14);
    return ready.result != 0 || ready.value != 0;
  });
  EXPECT_EQ(ready.result, 0);
  EXPECT_EQ(ready.value, 1);
  EXPECT_EQ(object->CallWithString(12, u"C:\\clips\\clip one.avi"), 0);
  EXPECT_EQ(object->CallWithString(12, u"C:\\clips\\\u00fcber.wav"), 0);
  object.reset();
  system.automation.UninitializeOle();

  EXPECT_EQ(dir.ReadFile(u"addfile.txt"), "waited\nC:\\clips\\clip one.avi\nC:\\clips\\\xC3\xBC" "ber.wav\n");
}

}  // namespace
