#pragma once
// The watch time: the settings file's last-write time stored by the previous run, kept as two 32-bit
// halves in "TimeH" and "TimeL" of the settings file, each as eight upper-case hexadecimal digits.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/profile.h"

namespace watchfolder {

struct WatchTime {
  std::uint32_t high = 0;
  std::uint32_t low = 0;

  static WatchTime Of(platform::FileTime time) {
    return {static_cast<std::uint32_t>(time >> 32), static_cast<std::uint32_t>(time)};
  }
  platform::FileTime Value() const { return (static_cast<platform::FileTime>(high) << 32) | low; }
};

// A half as "%08X" reads it: blanks skipped, then up to eight hexadecimal digits. Nothing when the text
// does not go on with a hexadecimal digit.
std::optional<std::uint32_t> ParseTimeHalf(std::u16string_view text);

// "%08X".
std::u16string FormatTimeHalf(std::uint32_t half);

// Reads "TimeH" and "TimeL" (default "00000000") into `time`; a half whose text is no number keeps the
// value it had.
void ReadWatchTime(platform::Profile& profile, std::u16string_view settings, WatchTime& time);

// Writes both halves in one write; false, with neither written, when the settings file could not be
// written.
bool WriteWatchTime(platform::Profile& profile, std::u16string_view settings, const WatchTime& time);

// The settings file's own last-write time; nothing when it cannot be read.
std::optional<WatchTime> SettingsFileTime(platform::Files& files, std::u16string_view settings);

// Traces "time Watch : %08X%08X" at the scan-detail level.
void TraceWatchTime(const WatchTime& time);

}  // namespace watchfolder
