// Moltrin's clip list when an earlier one will not go away or a clip cannot be written: the host must
// never import an earlier run's clips again, nor a part of a run's clips as if it were all of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clip_list_filenames.h"
#include "flaky_files.h"
#include "flaky_profile.h"
#include "import_run.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/fake_windows.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "trace_lines.h"

namespace {

struct Case {
  const char* fault;
  bool undeletable;     // the earlier clip list will not go away
  bool stuck;           // nor be emptied
  int clipsWritten;     // writes of the clip list that pass before one fails; -1: none fails
  bool missingSecond;   // a second chosen file that cannot be opened
  std::int32_t result;
  std::vector<std::u16string> filenames;  // of Clip0, Clip1 ... afterwards
  std::string trace;                      // "" none
};

TEST(RecorderClipList, HoldsAllOfTheRunsClipsOrNone) {
  const Case cases[] = {
      {"an earlier clip list that cannot be deleted is emptied, so its sections are not merged into this run's",
       true, false, -1, false, 1, {u"000001.dvd", u"000002.dvd", u"000003.dvd"}, ""},
      {"an earlier clip list that can be neither deleted nor emptied ends the run with 0 before the dialog", true,
       true, -1, false, 0, {u"earlier.dvd"}, "0 cannot delete "},
      {"clips that cannot be written fail the run and leave no clip list", false, false, 0, false, 0, {},
       "0 cannot write the clip of "},
      {"a chosen file that cannot be opened ends the run with 0, the clips of the files before it written", false,
       false, -1, true, 0, {u"000001.dvd", u"000002.dvd", u"000003.dvd"}, "0 failed to open "},
      {"nor can they be written then", false, false, 0, true, 0, {}, "0 cannot write the clip of "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    vorlane::test::TempDir dir;
    dir.WriteFile(u"disk/tape0007.dlx", "x");
    for (const char16_t* media : {u"000001.dvd", u"000002.dvd", u"000003.dvd"}) {
      dir.WriteFile(u"disk/tape0007/" + std::u16string(media), "dv");
    }
    dir.WriteFile(u"vorlane.ini", "[Clip0]\r\nFilename=earlier.dvd\r\n[Clip7]\r\nName=stale\r\n");
    const contract::ModuleFiles files{dir.Join(u"vorlane.ini"), dir.Join(u"moltrin.ini")};
    vorlane::test::FlakyFiles flakyFiles{platform::RealSystem().files};
    if (c.undeletable) flakyFiles.undeletable = files.clipList;
    flakyFiles.stuck = c.stuck;
    vorlane::test::FlakyProfile profile{platform::RealSystem().profile};
    if (c.clipsWritten >= 0) {
      profile.failingFile = files.clipList;
      profile.passing = c.clipsWritten;
      profile.failures = 1;
    }
    platform::fake::FakeDialogs dialogs;
    platform::fake::FakeWindows windows;
    const std::u16string chosen = c.missingSecond ? dir.Join(u"disk") + u'\0' + u"tape0007.dlx" + u'\0' + u"gone.dlx"
                                                  : dir.Join(u"disk/tape0007.dlx");
    dialogs.openAnswers.push_back(platform::OpenFileAnswer{chosen + u'\0' + u'\0', 1});
    platform::System system = platform::fake::MakeSystem(
        {.profile = &profile, .files = &flakyFiles, .windows = &windows, .dialogs = &dialogs});
    vorlane::test::TraceLines traces;
    std::u16string startupPath;
    EXPECT_EQ(recorder::RunImport(system, files, startupPath), c.result);
    EXPECT_EQ(vorlane::test::ClipFilenames(files.clipList), c.filenames);
    const bool stale =
        platform::RealSystem().profile.ReadString(files.clipList, u"Clip7", u"Name", u"", 261).value == u"stale";
    EXPECT_EQ(stale, c.stuck) << "an earlier run's sections stay only where nothing could take them away";
    EXPECT_EQ(dialogs.openRequests.empty(), c.stuck);
    if (!c.trace.empty()) { EXPECT_TRUE(traces.Has(c.trace)) << c.trace; }
  }
}

}  // namespace
