#pragma once
// The two files a receive plug-in keeps beside its own module: the clip list and its settings file.
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace contract {

inline constexpr std::u16string_view kClipListName = u"vorlane.ini";
// The settings file's one section, and the key of the file or folder the plug-in remembers.
inline constexpr std::u16string_view kSettingsSection = u"Settings";
inline constexpr std::u16string_view kStartupPathKey = u"szStartupPath";

struct ModuleFiles {
  std::u16string clipList;  // empty: no safe place could be formed
  std::u16string settings;
};

// Cuts the module path at the last `marker` ("\\moltrin"), found without regard to case, which is the one
// that begins the module's own file name when it has one, and appends `kClipListName` and `settingsName`.
// Windows lower-cases the whole path first; POSIX keeps the real case so that the files stay reachable.
// A module path without the marker gets the files in its directory. A path that would not fit 259
// characters, or that would name the module file itself, is left empty.
ModuleFiles FormModuleFiles(std::u16string_view modulePath, std::u16string_view marker,
                            std::u16string_view settingsName);

// The remembered file or folder from the settings file, at most 259 characters; empty when there is no
// settings path or the file or key is missing.
std::u16string ReadStartupPath(platform::Profile& profile, const ModuleFiles& files);

}  // namespace contract
