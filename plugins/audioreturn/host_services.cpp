#include "host_services.h"

#include <algorithm>

#include "contract/entry_points.h"
#include "hostlib/corvana.h"
#include "hostlib/ruskane.h"
#include "platform/limits.h"

namespace sorrend {
namespace {

class HostLibraries final : public HostServices {
 public:
  std::optional<std::u16string> DefaultRenderPath() override {
    char16_t buffer[platform::kWideBufferChars] = {};
    if (QueryDefaultRenderPath(buffer) == 0) return std::nullopt;
    // The library promises a terminator; do not trust it past the buffer's end.
    const char16_t* end = std::find(buffer, buffer + platform::kWideBufferChars, u'\0');
    return std::u16string(static_cast<const char16_t*>(buffer), end);
  }

  std::optional<std::u16string> ApplicationDirectory() override {
    const HostApplication* application = GetHostApplication();
    if (application == nullptr) return std::nullopt;
    const char16_t* directory = HostApplicationDefaultDirectory(application);
    return directory != nullptr ? std::u16string(directory) : std::u16string();
  }

  bool FileExists(const std::u16string& path) override { return HostFileExists(path.c_str()) != 0; }
};

}  // namespace

HostServices& RealHostServices() {
  static HostLibraries libraries;
  return libraries;
}

}  // namespace sorrend
