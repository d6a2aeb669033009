#pragma once
// Controls of the stand-in host libraries, for the stand-in host and tests only. The real host's
// libraries have none of these; no plug-in may call them.
#include "hostlib/hostlib_api.h"

extern "C" {

typedef void (*HostTraceSink)(int category, int level, const char* utf8Line, void* context);
CORVANA_API void CorvanaStandInSetTraceSink(HostTraceSink sink, void* context);
// Null: GetHostApplication returns null.
CORVANA_API void CorvanaStandInSetAppDirectory(const char16_t* directory);
// Null: QueryDefaultRenderPath fails.
RUSKANE_API void RuskaneStandInSetRenderPath(const char16_t* directory);

}  // extern "C"
