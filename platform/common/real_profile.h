#pragma once
// For engineer A: implement RealProfile() in platform/<os>/profile.cpp; RealSystem() calls it on first use.
// The real private-profile implementation of this build, created on first use.
#include "platform/profile.h"

namespace platform {

Profile& RealProfile();

}  // namespace platform
