#include "player_handoff.h"

#include <cstdint>
#include <optional>
#include <string>

#include "contract/export_description.h"
#include "contract/export_description_sections.h"

namespace player {
namespace {

constexpr std::uint16_t kShowNormalActivated = 5;

// The description's bytes; nothing for a file that cannot be read or is beyond the limit, which is
// refused by its size before a byte of it is read.
std::optional<std::string> DescriptionBytes(platform::Files& files, std::u16string_view descriptionPath) {
  const std::optional<platform::FileEntry> entry = files.Attributes(descriptionPath);
  if (!entry || entry->size > contract::kMaxDescriptionBytes) return std::nullopt;
  std::optional<std::string> bytes = files.ReadBytes(descriptionPath, contract::kMaxDescriptionBytes + 1);
  if (!bytes || bytes->size() > contract::kMaxDescriptionBytes) return std::nullopt;
  return bytes;
}

void StartForObject(platform::System& system, std::u16string_view playerPath, std::u16string commandLine) {
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
  std::u16string lineStart(playerPath);
  lineStart += u" \"";
  // Each media key is read straight behind the line, into the room left for it.
  const auto room = static_cast<std::uint32_t>(kCommandLineChars - lineStart.size());
  contract::PlayerObjects objects;
  // One pass over the file, so that a count of 2^31 - 1 costs no more than the sections present.
  if (const std::optional<std::string> bytes = DescriptionBytes(system.files, descriptionPath))
    objects = contract::ReadPlayerObjects(*bytes, room);

  for (const contract::PlayerObject& object : objects.objects) {
    // A quote would close the one before the path and let the rest reach the player as arguments of
    // its own; no file name holds one.
    if (object.media.find(u'"') != std::u16string::npos) continue;
    StartForObject(system, playerPath, lineStart + object.media);
  }
}

}  // namespace player
