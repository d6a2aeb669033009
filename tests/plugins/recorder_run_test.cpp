// Moltrin's run over real files and profile functions in a temporary folder, with the dialog and windows
// faked: the scenario table, and the file selection's shapes, limits and remembered settings.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "file_open_dialog.h"
#include "flaky_files.h"
#include "hostlib/standin.h"
#include "import_run.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windows.h"
#include "recorder_scenarios.h"

namespace {

using vorlane::test::TempDir;
using namespace std::string_literals;

// The file name buffer the real dialog fills for these full paths: one path, or the directory and names.
std::u16string DialogBuffer(const std::vector<std::u16string>& paths) {
  if (paths.size() == 1) return paths.front() + u'\0' + u'\0';
  std::u16string directory = platform::DriveAndDirectory(paths.front());
  directory.pop_back();
  std::u16string buffer = directory + u'\0';
  for (const std::u16string& path : paths) buffer += platform::FileNamePart(path) + u'\0';
  return buffer + u'\0';
}

struct Fixture {
  TempDir dir;
  platform::fake::FakeDialogs dialogs;
  platform::fake::FakeWindows windows;
  platform::System system = platform::fake::MakeSystem({.profile = &platform::RealSystem().profile,
                                                        .files = &platform::RealSystem().files,
                                                        .windows = &windows,
                                                        .dialogs = &dialogs});
  contract::ModuleFiles files{dir.Join(u"vorlane.ini"), dir.Join(u"moltrin.ini")};
  std::u16string startupPath;

  void Answer(const std::u16string& buffer, std::uint32_t filterIndex = 1) {
    dialogs.openAnswers.push_back(platform::OpenFileAnswer{buffer, filterIndex});
  }
  std::int32_t Run() { return recorder::RunImport(system, files, startupPath); }
};

TEST(RecorderRun, WritesTheClipsOfEachScenario) {
  for (const vorlane::test::RecorderScenario& scenario : vorlane::test::RecorderScenarios()) {
    SCOPED_TRACE(scenario.fault);
    Fixture f;
    vorlane::test::LayOut(f.dir, scenario);
    std::vector<std::u16string> picked;
    for (const std::u16string& path : scenario.picked) picked.push_back(vorlane::test::PickedPath(f.dir, path));
    f.Answer(DialogBuffer(picked));
    EXPECT_EQ(f.Run(), 1);
    vorlane::test::ExpectClipList(f.dir, f.files.clipList, scenario);
    EXPECT_EQ(f.startupPath, picked.front());
  }
}

TEST(RecorderRun, AChosenFileThatCannotBeOpenedEndsTheRunKeepingEarlierClips) {
  vorlane::test::RecorderScenario scenario{"", {{u"a0001.dlx", "x"}}, {}, vorlane::test::Clips(u"a0001", u"0001", 1)};
  vorlane::test::AddMedia(scenario.disk, u"a0001", 1);
  Fixture f;
  vorlane::test::LayOut(f.dir, scenario);
  f.Answer(DialogBuffer({vorlane::test::PickedPath(f.dir, u"a0001.dlx"), vorlane::test::PickedPath(f.dir, u"b0002.dlx")}));
  EXPECT_EQ(f.Run(), 0);
  vorlane::test::ExpectClipList(f.dir, f.files.clipList, scenario);
}

// A recorder still writing a file holds it open: such a media file ends its folder, such a chosen
// description file ends the run, as a missing one would.
TEST(RecorderRun, FilesAnotherProgramStillWritesAreNotOpened) {
  vorlane::test::RecorderScenario scenario{"", {{u"a0001.dlx", "x"}, {u"b0002.dlx", "x"}}, {},
                                           vorlane::test::Clips(u"a0001", u"0001", 1)};
  vorlane::test::AddMedia(scenario.disk, u"a0001", 3);
  vorlane::test::AddMedia(scenario.disk, u"b0002", 1);
  Fixture f;
  vorlane::test::LayOut(f.dir, scenario);
  vorlane::test::FlakyFiles files;
  files.beingWritten = {f.dir.Join(u"disk/a0001/000002.dvd"), f.dir.Join(u"disk/b0002.dlx")};
  platform::System system = platform::fake::MakeSystem(
      {.profile = &platform::RealSystem().profile, .files = &files, .windows = &f.windows, .dialogs = &f.dialogs});
  f.Answer(DialogBuffer({vorlane::test::PickedPath(f.dir, u"a0001.dlx"), vorlane::test::PickedPath(f.dir, u"b0002.dlx")}));
  EXPECT_EQ(recorder::RunImport(system, f.files, f.startupPath), 0);
  vorlane::test::ExpectClipList(f.dir, f.files.clipList, scenario);
}

TEST(RecorderRun, CancelReturnsZeroAndLeavesNoClipList) {
  Fixture f;
  f.dir.WriteFile(u"vorlane.ini", "[Clip0]\r\nName=old\r\n");
  f.startupPath = u"remembered";
  EXPECT_EQ(f.Run(), 0);
  EXPECT_FALSE(f.dir.Exists(u"vorlane.ini"));
  EXPECT_FALSE(f.dir.Exists(u"moltrin.ini")) << "a cancel stores no filter index";
  EXPECT_EQ(f.startupPath, u"remembered");
}

TEST(RecorderRun, WithoutASafeClipListPathNothingIsShown) {
  Fixture f;
  f.files = {};
  EXPECT_EQ(f.Run(), 0);
  EXPECT_TRUE(f.dialogs.openRequests.empty());
}

TEST(RecorderFileOpenDlg, AsksWithTheFiltersTheRememberedIndexAndTheLastChoice) {
  Fixture f;
  f.windows.windows.push_back({reinterpret_cast<void*>(0x77), u"PEXA_BLUE", u"Editor", nullptr, {}});
  f.dir.WriteFile(u"disk/a.dlx", "x");
  const std::u16string chosen = f.dir.Join(u"disk/a.dlx");
  f.Answer(chosen + u'\0', 2);
  f.Run();
  f.Answer(chosen + u'\0', 2);
  f.Run();
  ASSERT_EQ(f.dialogs.openRequests.size(), 2u);
  const platform::OpenFileRequest& first = f.dialogs.openRequests[0];
  constexpr char16_t kFilters[] = u"DLT Files (*.dlt)\0*.dlt\0DLX Files (*.dlx)\0*.dlx\0CDT Files (*.cdt)\0*.cdt\0";
  EXPECT_EQ(first.filter, std::u16string(kFilters, std::size(kFilters)));
  EXPECT_EQ(first.filterIndex, 1u) << "no settings file: the first filter";
  EXPECT_EQ(first.initialFile, u"");
  EXPECT_TRUE(first.multiSelect);
  EXPECT_EQ(first.bufferChars, 32768u);
  EXPECT_EQ(first.owner, reinterpret_cast<void*>(0x77));
  const platform::OpenFileRequest& second = f.dialogs.openRequests[1];
  EXPECT_EQ(second.filterIndex, 2u) << "the index the last dialog ended with";
  EXPECT_EQ(second.initialFile, chosen);
  EXPECT_EQ(platform::RealSystem().profile.ReadInt(f.files.settings, u"Settings", u"nFilterIndex", 0), 2);
}

TEST(RecorderFileOpenDlg, OwnerIsTheDesktopWithoutTheHostWindow) {
  platform::fake::FakeWindows windows;
  windows.desktop = reinterpret_cast<void*>(0x10);
  EXPECT_EQ(recorder::FindHostMainWindow(windows), reinterpret_cast<void*>(0x10));
}

std::vector<std::string>& Traces() {
  static std::vector<std::string> lines;
  return lines;
}
void CollectTrace(int, int level, const char* line, void*) { Traces().push_back(std::to_string(level) + " " + line); }

TEST(RecorderFileOpenDlg, ReadsTheTwoShapesOfTheDialogsBuffer) {
  struct Case {
    const char* fault;
    std::u16string buffer;  // "<dir>" stands for the disk folder
    std::vector<std::u16string> list;
    std::u16string single;
  };
  const std::u16string longName(260, u'n');
  const std::vector<Case> cases = {
      {"a readable first text is a single selection", u"<dir>/a.dlx\0\0"s, {}, u"<dir>/a.dlx"},
      {"a directory and names are a multiple selection", u"<dir>\0a.dlx\0b.dlt\0\0"s, {u"<dir>/a.dlx", u"<dir>/b.dlt"}, {}},
      {"a single file that cannot be opened gives nothing to open", u"<dir>/gone.dlx\0\0"s, {}, {}},
      {"a last name without its terminator is left out", u"<dir>\0a.dlx\0b.dl"s, {u"<dir>/a.dlx"}, {}},
      {"a path longer than 259 characters is left out", u"<dir>\0"s + longName + u'\0' + u"a.dlx\0\0"s, {u"<dir>/a.dlx"}, {}},
      {"an empty buffer selects nothing", u"", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    Fixture f;
    f.dir.WriteFile(u"disk/a.dlx", "x");
    const std::u16string disk = f.dir.Join(u"disk");
    auto expand = [&](std::u16string text) {
      for (std::size_t at; (at = text.find(u"<dir>")) != std::u16string::npos;) text.replace(at, 5, disk);
      for (char16_t& ch : text)
        if (ch == u'/') ch = platform::PathSeparator();
      return text;
    };
    f.Answer(expand(c.buffer));
    const auto selection = recorder::FileOpenDlg(f.system, f.files, nullptr, u"title", f.startupPath);
    ASSERT_TRUE(selection);
    std::vector<std::u16string> list;
    for (const std::u16string& path : c.list) list.push_back(expand(path));
    EXPECT_EQ(selection->list, list);
    EXPECT_EQ(selection->single, expand(c.single));
    EXPECT_EQ(f.startupPath, list.empty() ? expand(c.single) : list.front());
  }
}

TEST(RecorderFileOpenDlg, KeepsTheFirst500OfAMultipleSelectionAndTracesEach) {
  Fixture f;
  std::u16string buffer = f.dir.Path() + u'\0';
  for (int n = 0; n < 600; ++n) {
    buffer += u'f';
    buffer += platform::FormatInt(n);
    buffer += u".dlx";
    buffer += u'\0';
  }
  f.Answer(buffer + u'\0');
  Traces().clear();
  CorvanaStandInSetTraceSink(&CollectTrace, nullptr);
  const auto selection = recorder::FileOpenDlg(f.system, f.files, nullptr, u"title", f.startupPath);
  CorvanaStandInSetTraceSink(nullptr, nullptr);
  ASSERT_TRUE(selection);
  ASSERT_EQ(selection->list.size(), 500u);
  EXPECT_EQ(platform::FileNamePart(selection->list.back()), u"f499.dlx");
  ASSERT_EQ(Traces().size(), 500u);
  EXPECT_EQ(Traces().front(), "2 Multiple Select File  " + platform::Utf16ToUtf8(selection->list.front()) + " \n");
}

TEST(RecorderFileOpenDlg, AFaultInsideIsTracedAndTheRunStopsAtItsEmptyPath) {
  class ThrowingDialogs final : public platform::Dialogs {
   public:
    std::optional<platform::OpenFileAnswer> OpenFile(const platform::OpenFileRequest&) override {
      throw std::runtime_error("dialog fault");
    }
    std::optional<std::u16string> BrowseFolder(const platform::FolderRequest&) override { return std::nullopt; }
  } dialogs;
  Fixture f;
  platform::System system = platform::fake::MakeSystem({.profile = &platform::RealSystem().profile,
                                                        .files = &platform::RealSystem().files,
                                                        .windows = &f.windows,
                                                        .dialogs = &dialogs});
  Traces().clear();
  CorvanaStandInSetTraceSink(&CollectTrace, nullptr);
  EXPECT_EQ(recorder::RunImport(system, f.files, f.startupPath), 0);
  CorvanaStandInSetTraceSink(nullptr, nullptr);
  EXPECT_EQ(Traces(), (std::vector<std::string>{"0 Execption :  FileOpenDlg \r\n", "0 failed to open  \n"}));
  EXPECT_FALSE(f.dir.Exists(u"vorlane.ini"));
}

}  // namespace
