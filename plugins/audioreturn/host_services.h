#pragma once
// What Sorrend asks of the host editor's support libraries, behind an interface so tests can fake it.
#include <optional>
#include <string>
#include <string_view>

namespace sorrend {

class HostServices {
 public:
  virtual ~HostServices() = default;
  // QueryDefaultRenderPath: the default render directory, ending in a separator; nothing when it fails.
  virtual std::optional<std::u16string> DefaultRenderPath() = 0;
  // The default directory text of GetHostApplication's object; nothing when there is no object.
  virtual std::optional<std::u16string> ApplicationDirectory() = 0;
  // HostFileExists: true when `path` names an existing file.
  virtual bool FileExists(const std::u16string& path) = 0;
};

// The host's own libraries (Corvana, Ruskane) as the plug-in module links them.
HostServices& RealHostServices();

}  // namespace sorrend
