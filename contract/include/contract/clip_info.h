#pragma once
// ClipInfo, the record of one clip that a receive plug-in hands to the host through the clip list file.
#include <cstdint>
#include <string>

namespace contract {

struct ClipInfo {
  std::int32_t number = 0;
  std::int32_t length = 0;
  // Every text field holds at most 259 characters.
  std::u16string path, filename, reelname, rackname, tcIn, tcOut, markIn, markOut, routing, mode, clipAuthor,
      scene, take, comment, name, standard, attribute, addToSeq;
};

}  // namespace contract
