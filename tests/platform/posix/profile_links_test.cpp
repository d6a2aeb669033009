// POSIX: a profile file reached through symbolic links is written through them, by a rewrite as by an
// append; the links stay links.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/profile.h"
#include "temp_dir.h"

namespace platform {
Profile& RealProfile();
}

namespace vorlane::test {
namespace {

namespace fs = std::filesystem;

TEST(ProfileLinks, WritesGoThroughTheLinkToItsTarget) {
  const std::string initial = "[CLIP0]\r\nPATH=/audio/old/\r\n";
  struct Case {
    const char* name;
    const char16_t* section;  // CLIP0 rewrites the file, CLIP1 adds to its end
    const char* linkTarget;   // as the link holds it
    bool chain;               // the clip list links to a link
    bool dangling;            // the target does not exist yet
  };
  for (const Case c : {Case{"rewrite", u"CLIP0", "real/clips.ini", false, false},
                       Case{"append", u"CLIP1", "real/clips.ini", false, false},
                       Case{"rewrite through a chain of links", u"CLIP0", "real/clips.ini", true, false},
                       Case{"rewrite, absolute target", u"CLIP0", "", false, false},
                       Case{"first write through a dangling link", u"CLIP0", "real/clips.ini", false, true}}) {
    TempDir dir;
    const fs::path target = dir.FsPath() / "real" / "clips.ini";
    if (c.dangling) {
      fs::create_directories(target.parent_path());
    } else {
      dir.WriteFile(u"real/clips.ini", initial);
    }
    const fs::path link = dir.FsPath() / "vorlane.ini";
    const std::string pointsTo = *c.linkTarget != '\0' ? c.linkTarget : target.string();
    if (c.chain) {
      fs::create_symlink(pointsTo, dir.FsPath() / "middle.ini");
      fs::create_symlink("middle.ini", link);
    } else {
      fs::create_symlink(pointsTo, link);
    }
    const std::u16string file = link.u16string();
    EXPECT_TRUE(platform::RealProfile().WriteString(file, c.section, u"PATH", std::u16string_view(u"/audio/new/")))
        << c.name;
    EXPECT_TRUE(fs::is_symlink(link)) << c.name;
    EXPECT_EQ(platform::RealProfile().ReadString(file, c.section, u"PATH", u"", 100).value, u"/audio/new/") << c.name;
    EXPECT_NE(dir.ReadFile(u"real/clips.ini").find("PATH=/audio/new/"), std::string::npos) << c.name;
    EXPECT_FALSE(fs::exists(dir.FsPath() / "vorlane.ini.new") || fs::exists(target.string() + ".new")) << c.name;
  }
}

}  // namespace
}  // namespace vorlane::test
