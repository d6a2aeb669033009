#pragma once
// Import/export decoration of the host libraries' functions.
#include "platform/abi.h"

#if defined(CORVANA_BUILD)
#define CORVANA_API VORLANE_LIBRARY_EXPORT
#else
#define CORVANA_API VORLANE_LIBRARY_IMPORT
#endif
#if defined(PINDLE_BUILD)
#define PINDLE_API VORLANE_LIBRARY_EXPORT
#else
#define PINDLE_API VORLANE_LIBRARY_IMPORT
#endif
#if defined(RUSKANE_BUILD)
#define RUSKANE_API VORLANE_LIBRARY_EXPORT
#else
#define RUSKANE_API VORLANE_LIBRARY_IMPORT
#endif
