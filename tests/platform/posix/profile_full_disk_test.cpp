// POSIX: profile writes that run out of space part-way (a file size limit stands in for a full disk)
// leave the file exactly as it was, whether the folder takes a temporary file or not.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "temp_dir.h"

namespace platform {
Profile& RealProfile();
}

namespace vorlane::test {
namespace {

// Files may not grow past `bytes` while this lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

std::vector<platform::ProfileWrite> LongClip(std::u16string_view section) {
  return {{std::u16string(section), u"PATH", u"/audio/" + std::u16string(300, u'p') + u"/"},
          {std::u16string(section), u"FILENAME", u"take.wav"}};
}

TEST(ProfileFullDisk, FailedWritesLeaveTheFileAsItWas) {
  const std::string initial = "[CLIP0]\r\nPATH=/audio/old/\r\n[OTHER]\r\nkeep=1\r\n";
  struct Case {
    const char* name;
    bool folderTakesNewFiles;
    const char16_t* section;  // CLIP0 rewrites the file, CLIP1 adds to its end
  };
  for (const Case c : {Case{"a rewrite in place, the folder taking no new file", false, u"CLIP0"},
                       Case{"an append", true, u"CLIP1"}, Case{"an append, read-only folder", false, u"CLIP1"}}) {
    TempDir dir;
    dir.WriteFile(u"vorlane.ini", initial);
    const std::u16string file = dir.Join(u"vorlane.ini");
    // The store learns the file first, so that the failing call is its write, not its read.
    ASSERT_EQ(platform::RealProfile().ReadString(file, u"OTHER", u"keep", u"", 10).value, u"1");
    if (!c.folderTakesNewFiles) chmod(dir.FsPath().c_str(), 0555);
    bool ok;
    {
      FileSizeLimit limit(initial.size() + 40);
      ok = platform::RealProfile().WriteBatch(file, LongClip(c.section));
    }
    chmod(dir.FsPath().c_str(), 0755);
    EXPECT_FALSE(ok) << c.name;
    EXPECT_EQ(dir.ReadFile(u"vorlane.ini"), initial) << c.name;
    EXPECT_EQ(platform::RealProfile().ReadString(file, u"OTHER", u"keep", u"", 10).value, u"1") << c.name;
    // With room again, the same write succeeds.
    EXPECT_TRUE(platform::RealProfile().WriteBatch(file, LongClip(c.section))) << c.name;
  }
}

}  // namespace
}  // namespace vorlane::test
