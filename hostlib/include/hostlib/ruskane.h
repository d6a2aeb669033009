#pragma once
// The host editor's support library Ruskane: the default render directory.
#include "hostlib/hostlib_api.h"

extern "C" {

// Non-zero with the render directory (ending in a separator) stored in 260 characters; else 0.
RUSKANE_API int QueryDefaultRenderPath(char16_t* destination);

}  // extern "C"
