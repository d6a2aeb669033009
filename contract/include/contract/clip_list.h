#pragma once
// The clip list file: one numbered section per clip, written through the platform's profile functions.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"

namespace contract {

struct ClipEntry {
  std::u16string key;    // the literal the writer passes, e.g. "TCIn " with its blank
  std::u16string value;
};

// One clip's section: its name ("Clip0", "CLIP0") and its keys in the order they are written.
struct ClipSection {
  std::u16string name;
  std::vector<ClipEntry> entries;
};

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

// Whether every key of `section` reads back from the clip list, through the profile's string read as the
// host reads it, with the value written. False when the file reads otherwise (another encoding, a
// changed or missing section).
bool ClipSectionReadsBack(platform::Profile& profile, std::u16string_view clipListPath, const ClipSection& section);

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
