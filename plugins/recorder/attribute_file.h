#pragma once
// The recorder's per-folder attribute file "Attribute.atr": 8-bit text read at fixed byte offsets, which
// gives a clip its length, start timecode, video standard and author.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "contract/clip_info.h"
#include "platform/files.h"

namespace recorder {

// The most bytes read from an attribute or description file.
inline constexpr std::size_t kMetadataReadBytes = 4096;

// Sets length, tcIn, standard and clipAuthor of `clip` from the bytes of an attribute file, for the clip
// with 0-based index `clipIndex` in its folder; other fields are left alone. Bytes that do not begin with
// the format mark "1000", or that end before the mark count's line, leave the clip unchanged; a mark list
// or clip table cut short ends the walk where it stops. Never reads past `bytes`.
void ApplyAttributeBytes(std::string_view bytes, contract::ClipInfo& clip, int clipIndex);

// Reads the first 4096 bytes of `folder`'s "Attribute.atr" and applies them. Traces "failed to open"
// (clip unchanged) or the number of bytes read, both at the failure level. Blocks for the read.
void ReadAttributeFile(platform::Files& files, std::u16string_view folder, contract::ClipInfo& clip, int clipIndex);

// True when `path` opens as an existing file for reading that no other program is writing (a directory
// does not; a media file still being recorded does not on Windows). Closed again at once.
bool FileIsReadable(platform::Files& files, std::u16string_view path);

// The first 4096 bytes of a description or attribute file, opened as FileIsReadable opens it; nothing
// when it does not open. Blocks for the read.
std::optional<std::string> ReadMetadataFile(platform::Files& files, std::u16string_view path);

// The last-write date of `path` as "dd.mm.yyyy", in UTC; a file whose attributes cannot be read counts
// as written at the epoch of file times (01.01.1601).
std::u16string MediaFileDate(platform::Files& files, std::u16string_view path);
// The same date of a last-write time.
std::u16string FileDate(platform::FileTime time);

}  // namespace recorder
