// The hand-off to the encoder over fake windows, clock, processes, drag and drop and automation: one
// table of scenarios, each named after the fault it would catch.
#include "handoff.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/fake/fake_automation.h"
#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_dragdrop.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windows.h"
#include "send_by_automation.h"

namespace {

using encoder::EncoderKind;
using platform::WindowHandle;

WindowHandle Handle(std::uintptr_t value) { return reinterpret_cast<WindowHandle>(value); }

const WindowHandle kMain = Handle(0x100);
const WindowHandle kClient = Handle(0x101);
const WindowHandle kDocument = Handle(0x102);
const WindowHandle kDocumentChild = Handle(0x103);
const WindowHandle kCover = Handle(0x200);
constexpr platform::Rect kDocumentRect{100, 100, 501, 301};
constexpr platform::Point kDocumentCentre{300, 200};

// Payloads with recognisable content: object n has the files "n.avi" and "n.wav".
class FakePayloads final : public encoder::HandOffPayloads {
 public:
  std::size_t ObjectCount() const override { return objects; }
  void WriteBatchFile(std::u16string_view executable) override { batchFiles.emplace_back(executable); }
  std::u16string LaunchCommandLine(EncoderKind kind, std::u16string_view executable) override {
    return kind == EncoderKind::MediaCleanerPro ? u"SHORT~1.EXE " + std::u16string(executable) : u"";
  }
  void FillDropFileList(std::span<std::uint8_t> block) override {
    block[0] = 20;
    block.back() = 0xAB;
    if (onFill) onFill();
  }
  std::vector<std::u16string> AutomationFiles(std::size_t index) override {
    const std::u16string n(1, static_cast<char16_t>(u'1' + index));
    return {n + u".avi", n + u".wav"};
  }

  std::size_t objects = 3;
  std::vector<std::u16string> batchFiles;
  // What happens on screen while the block is filled: after both windows were found, before the drag.
  std::function<void()> onFill;
};

struct Fixture {
  Fixture() { clock.stepPerRead = 1; }

  void AddEncoderWindows(std::u16string_view title, std::u16string_view documentClass, bool withClient = true) {
    windows.windows.push_back({kMain, u"MainClassW", std::u16string(title), nullptr, {0, 0, 800, 600}});
    if (!withClient) return;
    windows.windows.push_back({kClient, u"MDIClient", u"", kMain, {0, 0, 800, 600}});
    windows.windows.push_back({kDocument, std::u16string(documentClass), u"", kClient, kDocumentRect});
    windows.windows.push_back({kDocumentChild, u"ListBox", u"", kDocument, kDocumentRect});
    windows.pointHits[{kDocumentCentre.x, kDocumentCentre.y}] = kDocumentChild;
  }
  std::vector<std::u16string> AddedFiles() const {
    std::vector<std::u16string> files;
    for (const auto& call : automation.calls) {
      if (call.slot == encoder::kAddFileEntry) files.push_back(call.text);
    }
    return files;
  }

  platform::fake::FakeClock clock;
  platform::fake::FakeWindows windows;
  platform::fake::FakeProcesses processes;
  platform::fake::FakeDragDrop dragDrop{windows};
  platform::fake::FakeAutomation automation;
  FakePayloads payloads;
  std::uint32_t startedAt = 0;  // the clock when the encoder was started
  platform::System system = platform::fake::MakeSystem({.processes = &processes,
                                                         .clock = &clock,
                                                         .windows = &windows,
                                                         .dragDrop = &dragDrop,
                                                         .automation = &automation});
};

struct Scenario {
  const char* name;
  EncoderKind kind;
  std::function<void(Fixture&)> arrange;
  bool result;
  std::function<void(Fixture&)> check;
};

void ExpectDroppedOnDocument(Fixture& f) {
  ASSERT_EQ(f.dragDrop.runs.size(), 1u);
  EXPECT_EQ(f.dragDrop.runs[0].target, kDocument);
  ASSERT_EQ(f.dragDrop.blocks.size(), 1u);
  EXPECT_EQ(f.dragDrop.blocks[0].size(), 52022u);
  EXPECT_EQ(f.dragDrop.blocks[0][0], 20) << "the block must hold what the payload wrote";
  EXPECT_EQ(f.dragDrop.blocks[0].back(), 0xAB);
  ASSERT_FALSE(f.windows.cursorMoves.empty());
  EXPECT_EQ(f.windows.cursorMoves[0].x, kDocumentCentre.x);
  EXPECT_EQ(f.windows.cursorMoves[0].y, kDocumentCentre.y);
}

const std::u16string kExecutable = u"/enc/Media Cleaner.exe";

const Scenario kScenarios[] = {
    {"Media Cleaner Pro not running is started with the files on its command line and gets no drop",
     EncoderKind::MediaCleanerPro, [](Fixture&) {}, true,
     [](Fixture& f) {
       ASSERT_EQ(f.processes.starts.size(), 1u);
       const platform::ProcessStart& start = f.processes.starts[0];
       EXPECT_EQ(start.application, kExecutable);
       EXPECT_EQ(start.commandLine, u"SHORT~1.EXE " + kExecutable);
       EXPECT_EQ(start.workingDirectory, u"/enc");
       EXPECT_TRUE(start.forceFeedback && start.newProcessGroup && start.defaultErrorMode);
       EXPECT_EQ(start.waitForIdleMs, 60000u);
       EXPECT_TRUE(f.dragDrop.blocks.empty());
       EXPECT_EQ(f.automation.oleInitializations, 0);
     }},
    {"Media Cleaner Pro that never becomes idle gives the idle wait's result", EncoderKind::MediaCleanerPro,
     [](Fixture& f) { f.processes.becomesIdle = false; }, false,
     [](Fixture& f) { EXPECT_TRUE(f.dragDrop.blocks.empty()); }},
    {"Media Cleaner Pro already running is not started again and gets the drop on its document window",
     EncoderKind::MediaCleanerPro, [](Fixture& f) { f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose"); },
     true,
     [](Fixture& f) {
       EXPECT_TRUE(f.processes.starts.empty());
       ExpectDroppedOnDocument(f);
       EXPECT_TRUE(f.windows.topmostNow.empty()) << "the encoder must not be left topmost";
       EXPECT_EQ(f.automation.oleDepth, 0);
     }},
    {"Media Cleaner EZ not running is started with an empty line, then found and dropped on",
     EncoderKind::MediaCleanerEz,
     [](Fixture& f) {
       f.processes.onStart = [&f](const platform::ProcessStart&) {
         f.AddEncoderWindows(u"Media Cleaner EZ", u"MCChildWindowNoClose");
       };
     },
     true,
     [](Fixture& f) {
       ASSERT_EQ(f.processes.starts.size(), 1u);
       EXPECT_EQ(f.processes.starts[0].commandLine, u"");
       ExpectDroppedOnDocument(f);
     }},
    {"an encoder not running is started after one look, not after a main-window search",
     EncoderKind::MediaCleanerPro,
     [](Fixture& f) {
       f.processes.onStart = [&f](const platform::ProcessStart&) { f.startedAt = f.clock.now; };
     },
     true,
     [](Fixture& f) {
       ASSERT_EQ(f.processes.starts.size(), 1u);
       EXPECT_LT(f.startedAt, 10u) << "a timeout of 0 looks once and waits for nothing";
     }},
    {"a started encoder whose main window never appears fails after the 60000 ms search, unpaused",
     EncoderKind::MediaCleanerEz, [](Fixture&) {}, false,
     [](Fixture& f) {
       ASSERT_EQ(f.processes.starts.size(), 1u);
       EXPECT_GE(f.clock.now, 60000u);
       EXPECT_LT(f.clock.now, 60100u);
       EXPECT_TRUE(f.clock.sleeps.empty()) << "the main window is looked for again at once";
       EXPECT_TRUE(f.windows.topmostCalls.empty()) << "no window was found to raise or set back";
       EXPECT_TRUE(f.dragDrop.blocks.empty());
       EXPECT_EQ(f.automation.oleDepth, 0);
     }},
    {"an encoder that does not become idle gets no drop", EncoderKind::MediaCleanerEz,
     [](Fixture& f) { f.processes.becomesIdle = false; }, false,
     [](Fixture& f) { EXPECT_EQ(f.automation.oleInitializations, 0); }},
    {"no objects with a running, minimised encoder: restored, raised, set back, true", EncoderKind::Cleaner5Ez,
     [](Fixture& f) {
       f.AddEncoderWindows(u"Cleaner EZ", u"MCChildWindowNoCloseT");
       f.windows.minimized.insert(kMain);
       f.payloads.objects = 0;
     },
     true,
     [](Fixture& f) {
       ASSERT_EQ(f.windows.shows.size(), 1u);
       EXPECT_TRUE(f.windows.shows[0].second) << "a minimised window must be restored";
       ASSERT_EQ(f.windows.topmostCalls.size(), 2u);
       EXPECT_TRUE(f.windows.topmostCalls[0].second);
       EXPECT_FALSE(f.windows.topmostCalls[1].second);
       EXPECT_TRUE(f.dragDrop.blocks.empty());
       EXPECT_EQ(f.automation.oleDepth, 0);
     }},
    {"a main window without an MDI client fails after the whole budget, not topmost", EncoderKind::MediaCleanerPro,
     [](Fixture& f) { f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose", false); }, false,
     [](Fixture& f) {
       EXPECT_GE(f.clock.now, 60000u);
       EXPECT_LT(f.clock.now, 62000u);
       EXPECT_EQ(f.clock.sleeps, std::vector<std::uint32_t>(60, 1000)) << "looks must be 1000 ms apart";
       EXPECT_TRUE(f.windows.topmostNow.empty());
       EXPECT_TRUE(f.windows.Exists(kMain));
       EXPECT_EQ(f.automation.oleDepth, 0);
     }},
    {"a document window covered at its centre gets five placements 100 ms apart, then false",
     EncoderKind::MediaCleanerPro,
     [](Fixture& f) {
       f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose");
       f.windows.pointHits[{kDocumentCentre.x, kDocumentCentre.y}] = kCover;
     },
     false,
     [](Fixture& f) {
       EXPECT_EQ(f.windows.cursorMoves.size(), 5u);
       EXPECT_EQ(f.clock.sleeps, std::vector<std::uint32_t>(4, 100));
       EXPECT_TRUE(f.dragDrop.runs.empty());
       EXPECT_TRUE(f.windows.topmostNow.empty());
       EXPECT_EQ(f.dragDrop.liveDrags, 0) << "the prepared drag must be released";
     }},
    {"a document window that vanishes after the search fails the placements", EncoderKind::MediaCleanerPro,
     [](Fixture& f) {
       f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose");
       f.payloads.onFill = [&f] { f.windows.Remove(kDocument); };
     },
     false,
     [](Fixture& f) {
       EXPECT_TRUE(f.windows.cursorMoves.empty()) << "a window without a rectangle has no centre to go to";
       EXPECT_EQ(f.clock.sleeps, std::vector<std::uint32_t>(4, 100));
       EXPECT_TRUE(f.dragDrop.runs.empty());
       EXPECT_TRUE(f.windows.topmostNow.empty());
       EXPECT_EQ(f.dragDrop.liveDrags, 0);
     }},
    {"a drop that no target takes is tried five times and fails", EncoderKind::MediaCleanerPro,
     [](Fixture& f) {
       f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose");
       f.dragDrop.effects = {0, 0, 0, 0, 0, 1};
     },
     false, [](Fixture& f) { EXPECT_EQ(f.dragDrop.runs.size(), 5u); }},
    {"a drop taken on the third call succeeds", EncoderKind::MediaCleanerPro,
     [](Fixture& f) {
       f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose");
       f.dragDrop.effects = {0, 0, 4};
     },
     true, [](Fixture& f) { EXPECT_EQ(f.dragDrop.runs.size(), 3u); }},
    {"a block that cannot be allocated fails the drop", EncoderKind::MediaCleanerPro,
     [](Fixture& f) {
       f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose");
       f.dragDrop.failPrepare = true;
     },
     false, [](Fixture& f) { EXPECT_TRUE(f.windows.topmostNow.empty()); }},
    {"OLE that cannot be initialised ends the drop before any search", EncoderKind::MediaCleanerPro,
     [](Fixture& f) {
       f.AddEncoderWindows(u"Media Cleaner Pro", u"MCChildWindowNoClose");
       f.automation.oleWorks = false;
     },
     false, [](Fixture& f) { EXPECT_TRUE(f.windows.topmostCalls.empty()); }},
    {"Cleaner 5 ready only after 2 s: each object waits, then its files arrive in order", EncoderKind::Cleaner5,
     [](Fixture& f) {
       f.automation.registered.insert(std::u16string(encoder::kCleaner5ClassId));
       f.automation.onLongOutCall = [&f](const platform::fake::AutomationCall&) {
         return platform::LongAnswer{0, f.clock.now >= 2000 ? 1 : 0};
       };
     },
     true,
     [](Fixture& f) {
       EXPECT_EQ(f.payloads.batchFiles, std::vector<std::u16string>{kExecutable});
       EXPECT_EQ(f.AddedFiles(),
                 (std::vector<std::u16string>{u"1.avi", u"1.wav", u"2.avi", u"2.wav", u"3.avi", u"3.wav"}));
       ASSERT_FALSE(f.automation.createAttempts.empty());
       EXPECT_EQ(f.automation.createAttempts[0].second, encoder::kCleaner5InterfaceId);
       EXPECT_EQ(f.automation.liveObjects, 0);
       EXPECT_EQ(f.automation.oleDepth, 0);
     }},
    {"Cleaner 5 whose AddFile fails on the second file of the third object keeps the earlier files",
     EncoderKind::Cleaner5,
     [](Fixture& f) {
       f.automation.registered.insert(std::u16string(encoder::kCleaner5ClassId));
       f.automation.onStringCall = [](const platform::fake::AutomationCall& call) {
         return call.text == u"3.wav" ? static_cast<std::int32_t>(0x80004005) : 0;
       };
     },
     false,
     [](Fixture& f) {
       EXPECT_EQ(f.AddedFiles(),
                 (std::vector<std::u16string>{u"1.avi", u"1.wav", u"2.avi", u"2.wav", u"3.avi", u"3.wav"}));
       EXPECT_EQ(f.payloads.batchFiles.size(), 1u) << "the batch file stays written";
       EXPECT_EQ(f.automation.oleDepth, 0);
     }},
    {"Cleaner 5 that never becomes ready fails after 60000 ms", EncoderKind::Cleaner5,
     [](Fixture& f) {
       f.automation.registered.insert(std::u16string(encoder::kCleaner5ClassId));
       f.automation.onLongOutCall = [](const platform::fake::AutomationCall&) { return platform::LongAnswer{0, 0}; };
     },
     false,
     [](Fixture& f) {
       EXPECT_TRUE(f.AddedFiles().empty());
       EXPECT_GE(f.clock.now, 60000u);
       EXPECT_LT(f.clock.now, 60100u);
     }},
    {"Cleaner 5 whose IsReady errs fails at once", EncoderKind::Cleaner5,
     [](Fixture& f) {
       f.automation.registered.insert(std::u16string(encoder::kCleaner5ClassId));
       f.automation.onLongOutCall = [](const platform::fake::AutomationCall&) {
         return platform::LongAnswer{static_cast<std::int32_t>(0x80004005), 1};
       };
     },
     false, [](Fixture& f) { EXPECT_EQ(f.automation.calls.size(), 1u); }},
    {"Cleaner 5 an OLE string cannot be allocated for ends with false", EncoderKind::Cleaner5,
     [](Fixture& f) {
       f.automation.registered.insert(std::u16string(encoder::kCleaner5ClassId));
       f.automation.onStringCall = [](const platform::fake::AutomationCall&) { return platform::kOutOfMemory; };
     },
     false, [](Fixture& f) { EXPECT_EQ(f.AddedFiles().size(), 1u); }},
    {"Cleaner 5 without its automation server still writes the batch file", EncoderKind::Cleaner5,
     [](Fixture&) {}, false,
     [](Fixture& f) {
       EXPECT_EQ(f.payloads.batchFiles.size(), 1u);
       EXPECT_EQ(f.automation.oleDepth, 0);
     }},
    {"no encoder hands nothing on", EncoderKind::None, [](Fixture&) {}, false,
     [](Fixture& f) {
       EXPECT_TRUE(f.processes.starts.empty());
       EXPECT_TRUE(f.payloads.batchFiles.empty());
     }},
};

TEST(EncoderHandOff, Scenarios) {
  for (const Scenario& scenario : kScenarios) {
    SCOPED_TRACE(scenario.name);
    Fixture f;
    scenario.arrange(f);
    EXPECT_EQ(encoder::HandOffToEncoder(f.system, {scenario.kind, kExecutable}, f.payloads), scenario.result);
    scenario.check(f);
  }
}

TEST(EncoderHandOff, AutomationWithoutAnObjectFailsAndWithoutObjectsSucceeds) {
  Fixture f;
  EXPECT_FALSE(encoder::SendByAutomation(f.system, nullptr, f.payloads));
  f.automation.registered.insert(std::u16string(encoder::kCleaner5ClassId));
  ASSERT_TRUE(f.automation.InitializeOle());
  const auto object = f.automation.Create(encoder::kCleaner5ClassId, encoder::kCleaner5InterfaceId);
  f.payloads.objects = 0;
  EXPECT_TRUE(encoder::SendByAutomation(f.system, object.get(), f.payloads));
  EXPECT_TRUE(f.automation.calls.empty());
}

}  // namespace
