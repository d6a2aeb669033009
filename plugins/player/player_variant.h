#pragma once
// What tells the two player plug-ins apart: their menu name and how the registry leads to the player.
#include <string_view>

namespace player {

enum class PlayerPathForm {
  InstallDirectory,  // the value is a directory; the executable name is appended
  ExecutablePath,    // the value is the executable; it is replaced by its short form once found
};

struct PlayerVariant {
  std::string_view menuName;
  std::u16string_view registryKey;  // below the local machine
  std::u16string_view valueName;
  PlayerPathForm form;
  std::u16string_view executableName;  // InstallDirectory only
};

inline constexpr PlayerVariant kQuickTimePlayer{"Quicktime Player", u"SOFTWARE\\Apple Computer, Inc.\\QuickTime",
                                                u"InstallDir", PlayerPathForm::InstallDirectory,
                                                u"QuickTimePlayer.Exe"};
inline constexpr PlayerVariant kWindowsMediaPlayer{"Windows Media Player",
                                                   u"SOFTWARE\\Microsoft\\Multimedia\\WMPlayer", u"Player.Path",
                                                   PlayerPathForm::ExecutablePath, u""};

// The variant this module was built as (one small source file per plug-in).
const PlayerVariant& ThisPlayer();

}  // namespace player
