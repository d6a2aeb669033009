#include "platform/process.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "command_line_cases.h"
#include "platform/fake/fake_processes.h"
#include "platform/system.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "wait_for.h"

namespace {

using vorlane::test::TempDir;

const std::u16string kRecorder = platform::Utf8ToUtf16(VORLANE_ARGV_RECORDER);

// The arguments the recorder wrote, once it has (it runs on its own).
std::optional<std::vector<std::string>> RecordedArgs(const TempDir& dir) {
  if (!vorlane::test::WaitForFiles({dir.Join(u"argv.txt")})) return std::nullopt;
  std::istringstream in(dir.ReadFile(u"argv.txt"));
  std::size_t count = 0;
  in >> count;
  in.ignore(1);
  std::vector<std::string> args(count);
  for (std::string& arg : args) std::getline(in, arg);
  return args;
}

TEST(Processes, ProgramReceivesItsArgumentsByTheWindowsRules) {
  for (const vorlane::test::CommandLineCase& c : vorlane::test::kCommandLineCases) {
    TempDir dir;
    platform::ProcessStart start;
    start.application = kRecorder;
    start.commandLine = std::u16string(u"recorder ") + (c.line + 2);  // the table's program is "p"
    start.workingDirectory = dir.Path();
    start.showWindow = true;
    start.showCommand = 5;
    const platform::ProcessResult result = platform::RealSystem().processes.Start(start);
    ASSERT_TRUE(result.started) << c.fault;
    std::vector<std::string> expected;
    for (const std::u16string& arg : c.args) expected.push_back(platform::Utf16ToUtf8(arg));
    EXPECT_EQ(RecordedArgs(dir), expected) << c.fault;
  }
}

TEST(Processes, MissingProgramOrDirectoryIsNotStarted) {
  TempDir dir;
  platform::ProcessStart start;
  start.application = dir.Join(u"no-such-program.exe");
  start.commandLine = u"x a";
  EXPECT_FALSE(platform::RealSystem().processes.Start(start).started);
  start.application = u"";
  EXPECT_FALSE(platform::RealSystem().processes.Start(start).started);
  start.application = kRecorder;
  start.workingDirectory = dir.Join(u"missing");
  EXPECT_FALSE(platform::RealSystem().processes.Start(start).started);
}

TEST(Processes, FakeRecordsEveryStartAndFailsOnRequest) {
  platform::fake::FakeProcesses processes;
  processes.failFrom = 2;
  platform::ProcessStart start;
  start.application = u"player";
  EXPECT_TRUE(processes.Start(start).started);
  EXPECT_FALSE(processes.Start(start).started);
  ASSERT_EQ(processes.starts.size(), 2u);
  EXPECT_EQ(processes.starts[1].application, u"player");
}

}  // namespace
