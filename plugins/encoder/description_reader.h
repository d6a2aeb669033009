#pragma once
// Reads an export description file completely into an ExportDescription.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "contract/export_description.h"
#include "export_description_tree.h"
#include "platform/system.h"

namespace encoder {

// What the reader takes on from a file it does not control. Counts and nesting beyond these fail the
// parse, as a failed allocation does: a real export stays far below them, and a hostile count of
// 2147483647 or a sequence nested thousands of levels deep can neither exhaust memory nor the stack.
inline constexpr std::int64_t kMaxDescriptionElements = 100000;  // objects and tracks of the whole tree
inline constexpr int kMaxNestingDepth = 64;                      // sequence levels below the top level
using contract::kMaxDescriptionBytes;                            // the file, read whole once

// The limits one parse applies; a test or a fuzz target may lower them to reach them sooner.
struct ReadLimits {
  std::int64_t elements = kMaxDescriptionElements;
  int nestingDepth = kMaxNestingDepth;
};

// Fills `description` from the file at `path` (at most 259 characters), clearing it first. False for a
// missing description, a path that is empty, too long, missing or a directory, a file that cannot be
// read or is larger than kMaxDescriptionBytes, and counts beyond the limits above; the caller then
// releases the partial tree with ClearDescription. Reads the file once and answers every key from memory;
// media paths are made absolute against the current directory. Blocks for file reads only.
bool ParseQuessaFile(platform::System& system, std::u16string_view path, ExportDescription* description,
                     const ReadLimits& limits = {});

// The reading steps, over any profile: ParseQuessaFile hands them a snapshot of the file; a test or a
// benchmark may hand them the platform's profile functions, one call per key.
class DescriptionReader {
 public:
  DescriptionReader(platform::Profile& profile, platform::Files& files, std::u16string_view file,
                    const ReadLimits& limits = {});

  // The GENERAL values and the objects they count, into an empty description.
  bool ReadDescription(ExportDescription& description);

  // Sections `prefix`1 ... `prefix``count` into `list` (nothing when count <= 0), each with its tracks
  // when it is an unfused sequence. False when the element budget or the nesting limit is exceeded or an
  // allocation fails; what was read so far stays in the list.
  bool ReadObjectList(std::u16string_view prefix, ExportTrack* parentTrack, std::int32_t count, ObjectList& list);

  // The keys of one object section, its media paths made absolute where that succeeds and fits.
  bool ReadObject(std::u16string_view section, ExportObject& object);

 private:
  bool ReadTracks(std::u16string_view prefix, std::int32_t number, ExportObject& object);
  bool TakeElements(std::int64_t count);

  platform::Profile& profile_;
  platform::Files& files_;
  std::u16string file_;
  std::int64_t elementsLeft_;
  int depthLeft_;
};

// The rate rule on a key: a decimal number, or "a/b"; `defaultValue` otherwise.
using contract::ReadRate;

}  // namespace encoder
