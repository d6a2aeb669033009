#pragma once
// Which batch encoder is installed, and where its executable lies, from the registry.
#include <string>

#include "encoder_kinds.h"
#include "platform/system.h"

namespace encoder {

struct EncoderInfo {
  EncoderKind kind = EncoderKind::None;
  std::u16string executable;  // at most 259 characters; empty with None
};

// Tries the kinds' registry routes in the order of EncoderKinds() (Cleaner 5 and Cleaner 5 EZ by their
// uninstall entries, then Media Cleaner Pro and Media Cleaner EZ by their application paths), and returns
// the first whose executable exists; None with an empty path when none does. Asks the registry afresh at every call; blocks for registry and file lookups only.
EncoderInfo FindEncoder(platform::System& system);

}  // namespace encoder
