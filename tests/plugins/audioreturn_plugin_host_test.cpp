// Sorrend as the stand-in host drives it: `plugin-host receive MODULE --render-dir DIR` (POSIX build).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/text.h"
#include "run_program.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

int RunPluginHost(const std::vector<std::string>& arguments) {
  std::vector<std::u16string> wide;
  for (const std::string& argument : arguments) wide.push_back(platform::Utf8ToUtf16(argument));
  return vorlane::test::RunProgram(platform::Utf8ToUtf16(std::string(VORLANE_BIN_DIR) + "/plugin-host"), wide);
}

TEST(SorrendThroughPluginHost, ListsTheModifiedClipsOfTheRenderDirectory) {
  vorlane::test::TempDir dir;
  fs::create_directories(dir.FsPath() / "host");
  fs::copy_file(fs::path(VORLANE_BIN_DIR) / SORREND_MODULE_NAME, dir.FsPath() / "host" / SORREND_MODULE_NAME);
  const std::string module = (dir.FsPath() / "host" / SORREND_MODULE_NAME).string();
  const std::string render = platform::Utf16ToUtf8(dir.Join(u"render")) + "/";
  fs::create_directories(dir.FsPath() / "render" / "Dovrel");

  ASSERT_EQ(RunPluginHost({"receive", module, "--render-dir", render}), 0);
  EXPECT_FALSE(fs::exists(dir.FsPath() / "host" / "Vorlane.INI")) << "no clip description file, no clip list";

  dir.WriteFile(u"audio/take1.wav", "RIFF");
  const std::string srb = "[CLIP 0]\r\n__MODIFIED=1\r\nPATH=" + platform::Utf16ToUtf8(dir.Join(u"audio")) +
                          "/\r\nFILENAME=take1.wav\r\nROUTING=\r\n";
  dir.WriteFile(u"render/Dovrel/a.SRB", srb);
  dir.WriteFile(u"render/Dovrel/b.SRB", srb);
  dir.WriteFile(u"render/Dovrel/c.SRB", "[CLIP 0]\r\n__MODIFIED=0\r\n");

  ASSERT_EQ(RunPluginHost({"receive", module, "--render-dir", render}), 0);
  platform::Profile& profile = platform::RealSystem().profile;
  const std::u16string clipList = dir.Join(u"host/Vorlane.INI");
  for (std::u16string_view section : {u"CLIP0", u"CLIP1"}) {
    EXPECT_EQ(profile.ReadString(clipList, section, u"FILENAME", u"", 260).value, u"take1.wav");
    EXPECT_EQ(profile.ReadString(clipList, section, u"ROUTING", u"<absent>", 260).value, u"<absent>");
    EXPECT_EQ(profile.ReadString(clipList, section, u"COMMENT", u"", 260).value, u"Reimported from WaveLab");
  }
  EXPECT_EQ(profile.ReadString(clipList, u"CLIP2", u"MODE", u"<absent>", 260).value, u"<absent>");
  for (std::u16string_view srbName : {u"render/Dovrel/a.SRB", u"render/Dovrel/b.SRB"}) {
    EXPECT_EQ(profile.ReadInt(dir.Join(srbName), u"Clip 0", u"__MODIFIED", -1), 0);
  }
  EXPECT_EQ(dir.ReadFile(u"render/Dovrel/c.SRB"), "[CLIP 0]\r\n__MODIFIED=0\r\n");
}

}  // namespace
