#pragma once
// One profile file read once and answered from memory, for a reader that asks thousands of keys of one
// file: every read through the platform's profile functions would open and search the whole file again.
#include <memory>
#include <string_view>

#include "platform/profile.h"

namespace platform {

// A Profile whose string and integer reads of `file` come from one parse of `bytes`, the file's content,
// with the answers the platform's profile functions give for that content (the same decoding and lookup
// rules, in this build's 8-bit code page). Reads of any other file, and every write, go to `fallback`,
// which must outlive the snapshot; a write does not change what the snapshot reads afterwards. Holds the
// parsed file in memory; never blocks.
std::unique_ptr<Profile> MakeProfileSnapshot(Profile& fallback, std::u16string_view file, std::string_view bytes);

}  // namespace platform
