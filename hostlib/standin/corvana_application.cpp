// Stand-in Corvana: the host application object, present when the stand-in host names a default directory.
#include <optional>
#include <string>

#include "hostlib/corvana.h"
#include "hostlib/standin.h"

struct HostApplication {
  std::u16string defaultDirectory;
};

namespace {
std::optional<HostApplication>& Application() {
  static std::optional<HostApplication> application;
  return application;
}
}  // namespace

extern "C" CORVANA_API void CorvanaStandInSetAppDirectory(const char16_t* directory) {
  try {
    if (directory == nullptr) Application().reset();
    else Application() = HostApplication{directory};
  } catch (...) {
    Application().reset();
  }
}

extern "C" CORVANA_API HostApplication* GetHostApplication() {
  auto& application = Application();
  return application.has_value() ? &*application : nullptr;
}

extern "C" CORVANA_API const char16_t* HostApplicationDefaultDirectory(const HostApplication* application) {
  return application != nullptr ? application->defaultDirectory.c_str() : u"";
}
