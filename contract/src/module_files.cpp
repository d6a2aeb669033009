#include "contract/module_files.h"

#include "contract/entry_points.h"
#include "platform/limits.h"
#include "platform/os_rules.h"
#include "platform/path.h"
#include "platform/text.h"

namespace contract {
namespace {

std::u16string Beside(std::u16string_view directory, std::u16string_view name, std::u16string_view module) {
  std::u16string path(directory);
  path += platform::PathSeparator();
  path += name;
  if (!platform::FitsLimit(path, platform::kMaxPathChars) || platform::EqualsNoCase(path, module)) return {};
  return path;
}

}  // namespace

ModuleFiles FormModuleFiles(std::u16string_view modulePath, std::u16string_view marker,
                            std::u16string_view settingsName) {
  if (!platform::WithinPathLimit(modulePath)) return {};
  std::u16string directory;
  if (const std::size_t at = platform::FindLastPathMarker(modulePath, marker); at != std::u16string_view::npos) {
    directory = modulePath.substr(0, at);
  } else {
    // Not named after the plug-in: use its directory, never the module file.
    directory = platform::DriveAndDirectory(modulePath);
    if (!platform::EndsWithSeparator(directory)) return {};
    directory.pop_back();
  }
  // Lower-casing is harmless only where file names ignore case.
  if (platform::FileNamesIgnoreCase()) directory = platform::ToLower(directory);
  return {Beside(directory, kClipListName, modulePath), Beside(directory, settingsName, modulePath)};
}

std::u16string ReadStartupPath(platform::Profile& profile, const ModuleFiles& files) {
  if (files.settings.empty()) return {};
  return profile.ReadString(files.settings, kSettingsSection, kStartupPathKey, u"", platform::kWideBufferChars).value;
}

}  // namespace contract
