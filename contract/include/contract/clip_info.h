#pragma once
// ClipInfo, the record of one clip that a receive plug-in hands to the host through the clip list file,
// and SaveClipInfo, which writes it as one numbered section.
#include <cstdint>
#include <string>
#include <string_view>

#include "contract/clip_list.h"
#include "platform/profile.h"

namespace contract {

struct ClipInfo {
  std::int32_t number = 0;
  std::int32_t length = 0;
  // Every text field holds at most 259 characters; longer text is cut when the record is written.
  std::u16string path, filename, reelname, rackname, tcIn, tcOut, markIn, markOut, routing, mode, clipAuthor,
      scene, take, comment, name, standard, attribute, addToSeq;
};

// Which plug-in's key order a record is written in: Moltrin writes seventeen keys with "Attribute"
// before "Name" and no "AddToSeq"; Fennick writes all eighteen.
enum class ClipInfoWriter { Moltrin, Fennick };

// The section "Clip<number>" of `clip`: every text field under its key in the writer's order, then
// "Length" formatted as a decimal. "Standard" is never written.
ClipSection ClipInfoSection(ClipInfo clip, ClipInfoWriter writer);

// Writes `clip` as one section of the clip list file at `clipListPath` (see WriteClipSection). A null
// record writes nothing and returns true. Returns false when the file could not be written.
bool SaveClipInfo(platform::Profile& profile, std::u16string_view clipListPath, const ClipInfo* clip,
                  ClipInfoWriter writer);

}  // namespace contract
