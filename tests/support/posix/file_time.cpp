// POSIX: utimensat with the file time turned into seconds and nanoseconds since 1970.
#include <fcntl.h>
#include <sys/stat.h>

#include "file_time.h"
#include "platform/text.h"

namespace vorlane::test {

bool SetLastWriteTime(const std::u16string& path, std::uint64_t fileTime) {
  const std::int64_t since1970 = static_cast<std::int64_t>(fileTime) - 116444736000000000LL;
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(since1970 / 10000000);
  times[1].tv_nsec = static_cast<long>(since1970 % 10000000) * 100;
  return utimensat(AT_FDCWD, platform::Utf16ToUtf8(path).c_str(), times, 0) == 0;
}

}  // namespace vorlane::test
