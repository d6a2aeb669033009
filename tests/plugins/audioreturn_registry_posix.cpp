// POSIX: WaveLab's App Paths keys in the stand-in registry file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "audioreturn_registry.h"
#include "platform/standin_services.h"
#include "platform/text.h"

namespace vorlane::test {

void SetWaveLabAppPaths(const std::vector<std::pair<std::u16string, std::u16string>>& keys, const TempDir& dir) {
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  for (const auto& [key, value] : keys) {
    std::string escaped;
    for (char c : platform::Utf16ToUtf8(value)) {
      if (c == '\\' || c == '"') escaped.push_back('\\');
      escaped.push_back(c);
    }
    text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" +
            platform::Utf16ToUtf8(key) + "]\r\n@=\"" + escaped + "\"\r\n\r\n";
  }
  dir.WriteFile(u"registry.reg", text);
  platform::UseRegistryFile(dir.Join(u"registry.reg"));
}

bool SetReadOnly(const std::u16string& path, bool readOnly) {
  const std::string file = platform::Utf16ToUtf8(path);
  if (chmod(file.c_str(), readOnly ? 0444 : 0644) != 0) return false;
  const int descriptor = open(file.c_str(), O_WRONLY);  // an administrator may write it all the same
  if (descriptor < 0) return true;
  close(descriptor);
  return false;
}

}  // namespace vorlane::test
