#pragma once
// POSIX: how entry points and host-library functions are declared.
#define VORLANE_CALL
#define VORLANE_EXPORT extern "C" __attribute__((visibility("default")))
#define VORLANE_LIBRARY_EXPORT __attribute__((visibility("default")))
#define VORLANE_LIBRARY_IMPORT
