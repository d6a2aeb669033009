#pragma once
// Whether WaveLab is installed, from its App Paths registry entries.
#include "platform/files.h"
#include "platform/registry.h"

namespace sorrend {

// Tries the App Paths keys of "WaveLab.exe", "WaveLab Essential.exe" and "WaveLab Lite.exe" in turn; the
// first key that opens decides alone: true when its default value (at most 520 bytes) names an existing
// file or directory. False when no key opens. Blocks on registry and file-system reads.
bool FindWaveLab(platform::Registry& registry, platform::Files& files);

}  // namespace sorrend
