// POSIX: read-only is the file's mode.
#include "read_only.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text.h"

namespace vorlane::test {

bool SetReadOnly(const std::u16string& path, bool readOnly) {
  const std::string file = platform::Utf16ToUtf8(path);
  if (chmod(file.c_str(), readOnly ? 0444 : 0644) != 0) return false;
  const int descriptor = open(file.c_str(), O_WRONLY);  // an administrator may write it all the same
  if (descriptor < 0) return true;
  close(descriptor);
  return false;
}

}  // namespace vorlane::test
