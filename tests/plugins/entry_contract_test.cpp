// The entry-point frame of the built plug-ins, bound by their exported symbols as the host binds them:
// results, flags words, the bounded name and comment copies, and the receive plug-ins' traces and settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "contract/trace_levels.h"
#include "hostlib/standin.h"
#include "no_access_page.h"
#include "platform/dialog_driver.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/processor_faults.h"
#include "platform/system.h"
#include "platform/text.h"
#include "plugin_module.h"
#include "temp_dir.h"

namespace {

using vorlane::test::PluginModule;

// The receive plug-ins open a dialog in Execute: every dialog is cancelled, as no answer is given.
// Windows: a second thread cancels the real one; POSIX: no host answers, so it is cancelled already.
const VorlaneStandInDialogAnswers kNoAnswers{nullptr, nullptr};

// The module file names of this build.
std::string ModuleFile(const std::string& plugin) {
  const std::map<std::string, std::string> files = {{"Brovix", Brovix_FILE},   {"Lundrel", Lundrel_FILE},
                                                    {"Carvesh", Carvesh_FILE}, {"Moltrin", Moltrin_FILE},
                                                    {"Fennick", Fennick_FILE}};
  return files.at(plugin);
}

std::u16string ModulePath(const std::string& plugin) {
  return vorlane::test::BuiltModulePath(ModuleFile(plugin).c_str());
}

constexpr unsigned char kGuard = 0xAB;
constexpr int kBufferSize = 100;

struct CopyCase {
  const char* plugin;
  bool comment;        // GetComment instead of GetMenuName
  int length;
  std::string written;  // the exact bytes written; every byte after them keeps the guard
  const char* fault;
};

TEST(EntryContract, BoundedCopiesWriteExactlyTheirBytes) {
  using namespace std::string_literals;
  const CopyCase cases[] = {
      {"Brovix", false, 16, "Quicktime Player", "a name of the full length gets no terminator"},
      {"Brovix", false, 40, "Quicktime Player" + std::string(24, '\0'), "the rest of the length is zero-filled"},
      {"Lundrel", false, 21, "Windows Media Player\0"s, "Lundrel's name"},
      {"Carvesh", false, 5, "Media", "a short length cuts the name"},
      {"Carvesh", false, 64, "Media Cleaner" + std::string(51, '\0'), "Carvesh pads to 64"},
      {"Moltrin", false, 7, "Vorlane", "a wide name is cut at the length, unterminated"},
      {"Moltrin", false, 64, "Vorlane from Sony DU1\0"s, "a wide name ends at its terminator"},
      {"Moltrin", true, 200, "Create Clips from the Sony DSR DU1 drive based on the metadata files\0"s,
       "Moltrin's comment is string 4"},
      {"Fennick", false, 19, "Vorlane Watchfolder", "Fennick's name, unterminated at its own length"},
      {"Fennick", true, 12, "Create Clips", "Fennick's comment is string 2, cut"},
      {"Brovix", false, 0, "", "length 0 writes nothing"},
      {"Carvesh", false, -1, "", "a negative length writes nothing"},
      {"Moltrin", false, -1, "", "a negative length writes nothing (wide)"},
      {"Fennick", true, 0, "", "length 0 writes no comment"},
  };
  for (const CopyCase& c : cases) {
    SCOPED_TRACE(std::string(c.plugin) + ": " + c.fault);
    PluginModule module(ModulePath(c.plugin));
    ASSERT_TRUE(module.loaded()) << module.error();
    std::vector<char> buffer(kBufferSize, static_cast<char>(kGuard));
    std::int32_t available = 7;
    const std::int32_t result = c.comment ? module.entry().getComment(buffer.data(), c.length)
                                          : module.entry().getMenuName(buffer.data(), c.length, &available);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(buffer.data(), c.written.size()), c.written);
    EXPECT_TRUE(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(c.written.size()), buffer.end(),
                            [](char b) { return static_cast<unsigned char>(b) == kGuard; }));
    if (!c.comment) { EXPECT_TRUE(available == 0 || available == 1); }
  }
}

struct FrameCase {
  const char* plugin;
  std::uint32_t flags;
  int destPathArguments;  // 0: exports GetComment instead
  std::int32_t destPathResult;
};

TEST(EntryContract, EachPluginExportsItsEntryPointsWithTheirResults) {
  const auto cancelDialogs = platform::DriveDialogs(kNoAnswers);
  const FrameCase cases[] = {
      {"Brovix", 0x31, 3, 1}, {"Lundrel", 0x31, 3, 1}, {"Carvesh", 0x31, 2, 0},
      {"Moltrin", 0x08000007, 0, 0}, {"Fennick", 0x08000007, 0, 0},
  };
  const bool decorated = platform::ExportsAreDecorated();
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.plugin);
    vorlane::test::TempDir dir;
    // Receive plug-ins write beside their module: give them a folder of their own.
    const std::u16string copy = dir.Join(platform::Utf8ToUtf16(ModuleFile(c.plugin)));
    std::filesystem::copy_file(std::filesystem::path(ModulePath(c.plugin)), std::filesystem::path(copy));
    PluginModule module(copy);
    ASSERT_TRUE(module.loaded()) << module.error();
    const auto& entry = module.entry();
    ASSERT_TRUE(entry.startup && entry.shutdown && entry.getMenuName && entry.getFlags && entry.execute);
    EXPECT_EQ(entry.startup(), 1);
    EXPECT_EQ(entry.getFlags(), c.flags);
    EXPECT_EQ((c.flags & 0x08000000u) != 0, c.destPathArguments == 0);
    if (c.destPathArguments == 3) {
      ASSERT_TRUE(entry.getDestPath3);
      EXPECT_EQ(entry.getDestPath3(0, -1, 12345), c.destPathResult);
    } else if (c.destPathArguments == 2) {
      ASSERT_TRUE(entry.getDestPath2);
      EXPECT_EQ(entry.getDestPath2(-7, 0), c.destPathResult);
    } else {
      EXPECT_TRUE(entry.getComment);
    }
    if (decorated) {
      // Only the decoration of its own argument count is exported.
      EXPECT_EQ(entry.getDestPath3 != nullptr, c.destPathArguments == 3);
      EXPECT_EQ(entry.getDestPath2 != nullptr, c.destPathArguments == 2);
      EXPECT_EQ(entry.getComment != nullptr, c.destPathArguments == 0);
    }
    // A null argument must not crash; the players answer as for an unreadable description. (The other
    // plug-ins' results belong to their own tests.)
    const std::int32_t executed = entry.execute(nullptr);
    if (c.destPathArguments == 3) { EXPECT_EQ(executed, 1); }
    std::int32_t available = 5;
    std::vector<char> name(64, '\x7f');
    EXPECT_EQ(entry.getMenuName(name.data(), 64, nullptr), 1) << "a null available pointer is passed over";
    EXPECT_EQ(entry.getMenuName(name.data(), 64, &available), 1);
    entry.shutdown();
  }
}

TEST(EntryContract, CarveshRefusesAnExecuteTextItCannotRead) {
  PluginModule module(ModulePath("Carvesh"));
  ASSERT_TRUE(module.loaded()) << module.error();
  vorlane::test::NoAccessPage memory;
  EXPECT_EQ(module.entry().execute(memory.Unreadable()), 0) << "a pointer into an unreadable page";
  EXPECT_EQ(module.entry().execute(memory.PlaceBeforeUnreadable("C:\\export.ini")), 0)
      << "a text that runs into an unreadable page";
}

// Traces of the receive plug-ins, captured from the stand-in host library they call.
struct TraceLine {
  int category;
  int level;
  std::string text;
  bool operator==(const TraceLine&) const = default;
};

void Capture(int category, int level, const char* line, void* context) {
  static_cast<std::vector<TraceLine>*>(context)->push_back({category, level, line});
}

std::string PathText(std::u16string path) {
  // Windows builds lower-case the module path they form the files from.
  if (platform::FileNamesIgnoreCase()) path = platform::ToLower(path);
  return platform::Utf16ToUtf8(path);
}

class ReceiveShell : public ::testing::Test {
 protected:
  void SetUp() override {
    CorvanaStandInSetTraceSink(&Capture, &traces_);
    cancelDialogs_ = platform::DriveDialogs(kNoAnswers);
  }
  void TearDown() override {
    cancelDialogs_.reset();
    CorvanaStandInSetTraceSink(nullptr, nullptr);
  }

  std::u16string CopyModule(const std::string& plugin, std::u16string_view name) {
    const std::u16string copy = dir_.Join(name);
    std::filesystem::copy_file(std::filesystem::path(ModulePath(plugin)), std::filesystem::path(copy));
    return copy;
  }
  std::u16string Setting(const std::u16string& file, std::u16string_view key) {
    return platform::RealSystem().profile.ReadString(file, u"Settings", key, u"<none>", 261).value;
  }
  std::vector<TraceLine> EntryTraces(std::initializer_list<std::string> lines) {
    std::vector<TraceLine> out;
    for (const std::string& line : lines) out.push_back({contract::kTraceCategory, contract::kTraceEntry, line});
    return out;
  }

  vorlane::test::TempDir dir_;
  std::vector<TraceLine> traces_;
  std::unique_ptr<platform::DialogDriver> cancelDialogs_;
};

TEST_F(ReceiveShell, MoltrinReadsItsStartupPathAtStartupAndWritesItsSettingsAtShutdown) {
  dir_.WriteFile(u"moltrin.ini", "[Settings]\r\nszStartupPath=D:\\du1\\take.dlx\r\n");
  PluginModule module(CopyModule("Moltrin", platform::Utf8ToUtf16(ModuleFile("Moltrin"))));
  ASSERT_TRUE(module.loaded()) << module.error();
  const std::string clipList = PathText(dir_.Join(u"vorlane.ini"));
  char name[32];
  std::int32_t available = 0;
  EXPECT_EQ(module.entry().startup(), 1);
  module.entry().getMenuName(name, sizeof name, &available);
  module.entry().getComment(name, sizeof name);
  module.entry().getFlags();
  module.entry().execute(nullptr);
  module.entry().shutdown();
  EXPECT_EQ(available, 1);
  EXPECT_EQ(traces_, EntryTraces({"STARTUP\n", "   Ini file name: " + clipList + "\n", "GETMENUNAME\n", "GETCOMMENT\n",
                              "GETFLAGS\n", "EXECUTE\n", "SHUTDOWN\n"}));
  const std::u16string settings = dir_.Join(u"moltrin.ini");
  EXPECT_EQ(Setting(settings, u"szIniFileName"), platform::Utf8ToUtf16(clipList));
  EXPECT_EQ(Setting(settings, u"szStartupPath"), u"D:\\du1\\take.dlx");
}

// The host library's trace faults when the run traces its start: a processor fault inside Moltrin's run,
// raised by the stand-in host library, so that the shipped module carries no test hook.
struct FaultAtExecute {
  const vorlane::test::NoAccessPage* memory;
  std::vector<TraceLine>* traces;
};

void CaptureThenFaultAtExecute(int category, int level, const char* line, void* context) {
  const auto& sink = *static_cast<FaultAtExecute*>(context);
  sink.traces->push_back({category, level, line});
  if (std::string(line) == "EXECUTE\n") sink.memory->Touch();
}

TEST_F(ReceiveShell, MoltrinReportsAProcessorFaultInItsRunAndReturnsZero) {
  if (!platform::CatchesProcessorFaults()) {
    GTEST_SKIP() << "this build catches exceptions only: the fault would end the test program";
  }
  if (VORLANE_FAULTS_END_WINE) {
    GTEST_SKIP() << "32-bit Wine under qemu's emulation ends the process at a processor fault; the win64 build "
                    "runs this test";
  }
  PluginModule module(CopyModule("Moltrin", platform::Utf8ToUtf16(ModuleFile("Moltrin"))));
  ASSERT_TRUE(module.loaded()) << module.error();
  EXPECT_EQ(module.entry().startup(), 1);
  dir_.WriteFile(u"vorlane.ini", "[Clip0]\r\nFilename=000001.dvd\r\n");
  vorlane::test::NoAccessPage memory;
  FaultAtExecute sink{&memory, &traces_};
  traces_.clear();
  CorvanaStandInSetTraceSink(&CaptureThenFaultAtExecute, &sink);
  EXPECT_EQ(module.entry().execute(nullptr), 0);
  CorvanaStandInSetTraceSink(&Capture, &traces_);
  module.entry().shutdown();
  EXPECT_EQ(traces_, (std::vector<TraceLine>{
                         {contract::kTraceCategory, contract::kTraceEntry, "EXECUTE\n"},
                         {contract::kTraceCategory, contract::kTraceFailure, "access violation Execute\n"},
                         {contract::kTraceCategory, contract::kTraceEntry, "SHUTDOWN\n"},
                     }));
  EXPECT_FALSE(dir_.Exists(u"vorlane.ini")) << "a run cut short leaves no clip list to import";
}

TEST_F(ReceiveShell, FennickReadsItsWatchFolderAndWritesNothingAtShutdown) {
  const std::string stored = "[Settings]\r\nszStartupPath=E:\\watch\\\r\n";
  dir_.WriteFile(u"fennick.ini", stored);
  PluginModule module(CopyModule("Fennick", platform::Utf8ToUtf16(ModuleFile("Fennick"))));
  ASSERT_TRUE(module.loaded()) << module.error();
  const std::string settings = PathText(dir_.Join(u"fennick.ini"));
  EXPECT_EQ(module.entry().startup(), 1);
  char name[32];
  std::int32_t available = 0;
  module.entry().getMenuName(name, sizeof name, &available);
  module.entry().getComment(name, sizeof name);
  module.entry().getFlags();
  module.entry().shutdown();
  EXPECT_EQ(traces_, EntryTraces({"STARTUP\n", settings + " => szStartupPath: E:\\watch\\\n", "GetMenuName\n",
                              "GetComment\n", "GetFlags\n", "szStartupPath: E:\\watch\\\n", "Shutdown\n"}));
  EXPECT_EQ(dir_.ReadFile(u"fennick.ini"), stored);
}

TEST_F(ReceiveShell, AModuleNamedLikeItsSettingsFileIsNeverWrittenOver) {
  const std::u16string copy = CopyModule("Moltrin", u"moltrin.ini");
  const std::string before = dir_.ReadFile(u"moltrin.ini");
  {
    PluginModule module(copy);
    ASSERT_TRUE(module.loaded()) << module.error();
    EXPECT_EQ(module.entry().startup(), 1);
    module.entry().shutdown();
  }
  EXPECT_EQ(dir_.ReadFile(u"moltrin.ini"), before);
}

TEST_F(ReceiveShell, AModuleUnderAnotherNameKeepsItsFilesInItsDirectory) {
  const std::u16string copy = CopyModule("Moltrin", u"Renamed.plugin");
  {
    PluginModule module(copy);
    ASSERT_TRUE(module.loaded()) << module.error();
    module.entry().startup();
    module.entry().shutdown();
  }
  EXPECT_EQ(Setting(dir_.Join(u"moltrin.ini"), u"szIniFileName"),
            platform::Utf8ToUtf16(PathText(dir_.Join(u"vorlane.ini"))));
}

}  // namespace
