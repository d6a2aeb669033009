#include "player_handoff.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "contract/export_description.h"
#include "contract/export_description_sections.h"

namespace player {
namespace {

constexpr std::uint16_t kShowNormalActivated = 5;
// A description file larger than this is read section by section instead of being scanned.
constexpr std::size_t kScanLimitBytes = 64u << 20;

// The object numbers whose section the file holds. Objects whose section is missing have no media and
// start nothing, so a count of 2^31 - 1 costs one pass over the file. Nothing when the file cannot be
// scanned whole.
std::optional<std::vector<std::int32_t>> ObjectsInFile(platform::Files& files, std::u16string_view descriptionPath,
                                                       std::int32_t count) {
  const auto bytes = files.ReadBytes(descriptionPath, kScanLimitBytes);
  if (!bytes || bytes->size() >= kScanLimitBytes) return std::nullopt;
  return contract::ObjectSectionNumbers(*bytes, contract::kObjectPrefix, count);
}

void StartForObject(platform::System& system, std::u16string_view playerPath, std::u16string_view descriptionPath,
                    std::int32_t number) {
  const std::u16string section = contract::ObjectSectionName(contract::kObjectPrefix, number);
  std::u16string commandLine(playerPath);
  commandLine += u" \"";
  // Each media key is read straight behind the line, into the room left for it.
  const auto room = static_cast<std::uint32_t>(kCommandLineChars - commandLine.size());
  bool found = false;
  for (std::u16string_view key : contract::kMediaKeys) {
    const platform::ProfileString media = system.profile.ReadString(descriptionPath, section, key, u"", room);
    if (!media.value.empty()) {
      // A quote would close the one before the path and let the rest reach the player as arguments of
      // its own; no file name holds one.
      if (media.value.find(u'"') != std::u16string::npos) return;
      commandLine.append(media.value, 0, room - 1);
      found = true;
      break;
    }
  }
  if (!found) return;

  platform::ProcessStart start;
  start.application = std::u16string(playerPath);
  start.commandLine = std::move(commandLine);
  start.showWindow = true;
  start.showCommand = kShowNormalActivated;
  system.processes.Start(start);
}

}  // namespace

void StartPlayers(platform::System& system, std::u16string_view playerPath, std::u16string_view descriptionPath) {
  // Without a player every start would fail: nothing to do.
  if (playerPath.empty()) return;
  const std::int32_t count =
      contract::ReadInteger(system.profile, contract::IniFile(descriptionPath), contract::kGeneralSection, u"OBJCOUNT");
  if (count < 1) return;

  if (const auto present = ObjectsInFile(system.files, descriptionPath, count)) {
    for (const std::int32_t number : *present) StartForObject(system, playerPath, descriptionPath, number);
    return;
  }
  for (std::int64_t number = 1; number <= count; ++number) {
    StartForObject(system, playerPath, descriptionPath, static_cast<std::int32_t>(number));
  }
}

}  // namespace player
