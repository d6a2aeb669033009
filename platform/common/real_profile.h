#pragma once
// The profile of this build, created on first use: the profile store over this build's files.
#include "platform/profile.h"

namespace platform {

Profile& RealProfile();
// The platform's own private-profile functions, against which the store is tested; nothing where there
// are none (POSIX).
Profile* PlatformProfileFunctions();

}  // namespace platform
