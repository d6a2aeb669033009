#pragma once
// What a receive run left for the host: the Filename of each clip section "Clip0", "Clip1" ... of a clip
// list, read as the host reads them, up to the first section that is missing.
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/text.h"

namespace vorlane::test {

inline std::vector<std::u16string> ClipFilenames(const std::u16string& clipList) {
  std::vector<std::u16string> names;
  for (int i = 0;; ++i) {
    const std::u16string name =
        platform::RealSystem()
            .profile.ReadString(clipList, u"Clip" + platform::FormatInt(i), u"Filename", u"<absent>", 261)
            .value;
    if (name == u"<absent>") return names;
    names.push_back(name);
  }
}

}  // namespace vorlane::test
