#pragma once
// What the players take from a description, found in one pass over its bytes, so that a reader given a
// huge object count visits only the sections that exist.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace contract {

struct PlayerObject {
  std::int32_t number = 0;
  std::u16string media;  // the primary media file, never empty
};

struct PlayerObjects {
  std::int32_t count = 0;              // GENERAL's OBJCOUNT
  std::vector<PlayerObject> objects;   // ascending numbers within 1..count, those with a primary media file
};

// GENERAL's OBJCOUNT and the primary media file of every object section "OBJ"n, n in 1..count, that the
// file holds, each media key read into a buffer of `mediaSize` characters: what the profile functions
// answer for the same bytes (decoded by platform::DecodeText, the first section and key of a name
// counting). Costs the file's wide text and a few bytes per numbered section, whatever the count.
PlayerObjects ReadPlayerObjects(std::string_view fileBytes, std::uint32_t mediaSize);

}  // namespace contract
