#pragma once
// The host editor's support library Corvana, as the receive plug-ins call it. All text is wide.
// This header and its two siblings are the only declarations of the host's libraries.
#include <cstdint>

#include "hostlib/hostlib_api.h"

extern "C" {

// Resource string `id` of `module`; never null, valid until the next call, not freed by the caller.
CORVANA_API const char16_t* LoadHostString(void* module, std::uint32_t id);

// A diagnostic line: printf-style format ("%s" takes wide text, "%d", "%u", "%x", "%c", "%%").
CORVANA_API void HostTrace(int category, int level, const char16_t* format, ...);

// Disables the windows of thread `threadId`; returns a list handle for EnableThreadWindows.
CORVANA_API void* DisableThreadWindows(std::uint32_t threadId);
CORVANA_API void EnableThreadWindows(void* list);

// Directory part (with its final separator) and file-name part of a full path, into 260 characters.
CORVANA_API void SplitDirectory(char16_t* destination, const char16_t* path);
CORVANA_API void SplitFileName(char16_t* destination, const char16_t* path);

// Non-zero when `path` names an existing file.
CORVANA_API int HostFileExists(const char16_t* path);

// The host application object, or null; its default directory text (never null when the object is).
struct HostApplication;
CORVANA_API HostApplication* GetHostApplication();
CORVANA_API const char16_t* HostApplicationDefaultDirectory(const HostApplication* application);

// Timecode: an 8-byte value counted in fields (two per frame); the frame rate comes from the separator
// of its text (":" 25 fps, "." 30 fps NTSC, "," 30 fps drop-frame).
struct CorvanaTimecode {
  std::int32_t fields;
  std::int32_t mode;  // 0 PAL ":", 1 NTSC ".", 2 NTSC drop-frame ","
};
CORVANA_API void CorvanaTimecodeClear(CorvanaTimecode* timecode);
CORVANA_API void CorvanaTimecodeFromText(CorvanaTimecode* timecode, const char16_t* text);
CORVANA_API void CorvanaTimecodeAdd(CorvanaTimecode* timecode, std::int32_t fields);
// Writes "hh:mm:ss?ff" with the mode's separator into 16 characters.
CORVANA_API void CorvanaTimecodeFormat(const CorvanaTimecode* timecode, char16_t* text16);

}  // extern "C"

// Inline wrappers, so that plug-in and library need not come from one compiler.
class Timecode {
 public:
  Timecode() { CorvanaTimecodeClear(&value_); }
  explicit Timecode(const char16_t* text) { CorvanaTimecodeFromText(&value_, text); }
  Timecode& operator+=(std::int32_t fields) { CorvanaTimecodeAdd(&value_, fields); return *this; }
  const CorvanaTimecode& raw() const { return value_; }
 private:
  CorvanaTimecode value_;
};
static_assert(sizeof(Timecode) == 8);

class TimecodeText {
 public:
  explicit TimecodeText(const Timecode& timecode) { CorvanaTimecodeFormat(&timecode.raw(), text_); }
  const char16_t* c_str() const { return text_; }
 private:
  char16_t text_[16];  // 32 bytes
};
