#pragma once
// The clip list file: one numbered section per clip, written through the platform's profile functions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"

namespace contract {

// One key of a clip's section: the literal the writer passes (e.g. "TCIn " with its blank) and its value.
using ClipEntry = platform::ProfileKey;

// One clip's section: its name ("Clip0", "CLIP0") and its keys in the order they are written.
using ClipSection = platform::ProfileSectionWrite;

// Writes one clip's section into the clip list file in a single profile batch, so that the file holds
// exactly what one profile write per key would give, and the clip is on disk when this returns. Keys and
// sections already in the file are kept or replaced as those writes would. Returns false when the file
// could not be written (missing or read-only directory, read-only file, full disk); the file is then
// unchanged. Blocks for the file's read and write.
bool WriteClipSection(platform::Profile& profile, std::u16string_view clipListPath, const ClipSection& section);

// Writes several clips' sections in one profile batch: the file holds what one WriteClipSection per
// section, in order, would give, all of them or, on failure, none. Blocks for the file's read and write.
bool WriteClipSections(platform::Profile& profile, std::u16string_view clipListPath,
                       const std::vector<ClipSection>& sections);

// How much of a batch a section takes, about the memory it holds, and the most a batch takes before it is
// written: a run of any length holds a bounded part of its clip list.
std::size_t ClipSectionWeight(const ClipSection& section);
inline constexpr std::size_t kClipBatchWeight = std::size_t{8} << 20;

// A run's clip sections on their way into the clip list: collected, and written as one profile batch when
// the run ends (Flush) or once they pass a bound (kClipBatchWeight), so that a run writes the file once or a few
// times, whatever its number of clips. The file holds what one WriteClipSection per section, in order,
// would give.
class ClipListWriter {
 public:
  ClipListWriter(platform::Profile& profile, std::u16string_view clipListPath,
                 std::size_t batchWeight = kClipBatchWeight)
      : profile_(profile), clipList_(clipListPath), batchWeight_(batchWeight) {}

  // Collects `section`; writes what is collected once it passes the bound. False when that write failed:
  // nothing collected since the last write is in the file, and it is dropped.
  bool Add(ClipSection section);
  // Writes what is collected (false as for Add). Blocks for the file's read and write.
  bool Flush();

 private:
  platform::Profile& profile_;
  std::u16string clipList_;
  std::size_t batchWeight_;
  std::vector<ClipSection> sections_;
  std::size_t weight_ = 0;
};

// For each of `sections`, whether every key reads back from the clip list, through the profile's string
// read as the host reads it, with the value written; the file is examined once, or, where the sections
// are those the profile just wrote and the file's size, time and identity are as it left them, only its
// state is read. False for a section the file reads otherwise (another encoding, a changed or missing
// section).
std::vector<bool> ClipSectionsReadBack(platform::Profile& profile, std::u16string_view clipListPath,
                                       const std::vector<ClipSection>& sections);

// Deletes the clip list file, and any new copy of it that a rewrite cut short left beside it, so that
// nothing of an earlier run is imported again. A file that cannot be deleted (another program holds it)
// is emptied instead. False when the clip list still holds something: it is a folder, or it can be
// neither deleted nor emptied.
bool ClearClipList(platform::Files& files, std::u16string_view clipListPath);

// The values Sorrend copies from a clip description file into its clip list section.
struct ReimportedClip {
  std::u16string path, filename, routing, clipAuthor, scene, take, name;
};

// Sorrend's section "CLIP<number>": "PATH", "FILENAME", "ROUTING", "MODE", "CLIPAUTHOR", "SCENE", "TAKE",
// "COMMENT", "NAME"; copied keys only when not empty, "MODE" and "COMMENT" always. Values are cut to
// platform::kMaxTextChars.
ClipSection ReimportedClipSection(std::int32_t number, const ReimportedClip& clip);

}  // namespace contract
