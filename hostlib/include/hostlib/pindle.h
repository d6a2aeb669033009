#pragma once
// The host editor's support library Pindle: directory enumeration.
#include <cstdint>

#include "hostlib/hostlib_api.h"

extern "C" {

struct HostFileTime { std::uint32_t low, high; };

// Laid out as the platform's wide find data.
struct HostFindData {
  std::uint32_t attributes;
  HostFileTime creationTime;
  HostFileTime lastAccessTime;
  HostFileTime lastWriteTime;
  std::uint32_t sizeHigh;
  std::uint32_t sizeLow;
  std::uint32_t reserved0;
  std::uint32_t reserved1;
  char16_t fileName[260];
  char16_t alternateFileName[14];
};

// Called once per matching file or sub-directory; returns 1 to go on.
typedef int (*EnumerateCallback)(const HostFindData* data, const char16_t* fullPath, std::uintptr_t unused,
                                 void* context);

// Enumerates `directoryPattern` ("dir\\*.mxf"): entries whose attributes meet `attributeMask`, `mode`
// 3 = files and sub-directories. Returns the number of callbacks made.
PINDLE_API int EnumerateDirectory(EnumerateCallback callback, const char16_t* directoryPattern,
                                  std::uint32_t attributeMask, int mode, void* context);

}  // extern "C"
