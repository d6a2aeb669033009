#include "wavelab_discovery.h"

#include <string_view>

#include "platform/limits.h"

namespace sorrend {
namespace {

constexpr std::u16string_view kAppPathKeys[] = {
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WaveLab.exe",
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WaveLab Essential.exe",
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\WaveLab Lite.exe",
};

}  // namespace

bool FindWaveLab(platform::Registry& registry, platform::Files& files) {
  for (std::u16string_view key : kAppPathKeys) {
    const platform::RegistryValue value = registry.ReadString(key, std::nullopt, platform::kRegistryValueBytes);
    if (!value.keyOpened) continue;
    // An opened key ends the search even when its path is missing or unreadable.
    if (!value.valueRead || value.text.empty()) return false;
    return files.Attributes(value.text).has_value();
  }
  return false;
}

}  // namespace sorrend
