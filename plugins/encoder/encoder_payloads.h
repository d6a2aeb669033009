#pragma once
// What the encoder is given, built from a parsed description and the encoder's executable: the batch file,
// the command line, the dropped-files block and the automation file sequence. Only the top-level objects
// are handed on. An object whose short form cannot be had (no primary media file, or its file does not
// exist) is left out of the command line and the drop list.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export_description_tree.h"
#include "find_encoder.h"
#include "platform/system.h"

namespace encoder {

// The longest command line and dropped-files list, in characters without the final terminator.
inline constexpr std::size_t kHandOffChars = 25999;
// The dropped-files block: a 20-byte header, then room for 26001 UTF-16 characters.
inline constexpr std::size_t kDropFileListBytes = 52022;
inline constexpr std::size_t kDropFileListOffset = 20;

// Writes "QN.TXT" beside the executable: key "name" of section "batch" (the executable path itself with
// "QN" joined to it), the section "files" emptied, then "file<n>" = the n-th top-level object's primary
// media file; an object without one gets no key and keeps its number. Other sections stay untouched.
// False when the file cannot be written. Blocks for two profile writes, one of them the whole section.
bool WriteBatchFile(platform::System& system, std::u16string_view executable, const ExportDescription& description);

// The line a started encoder is given. A kind delivered by Delivery::CommandLineWhenStarted (Media Cleaner
// Pro): the executable's short form, then the objects' short forms, separated by single blanks, within
// kHandOffChars; empty when there are no objects. A short form that holds a blank (no 8.3 names on its
// volume; any path on POSIX) is put in double quotes. Every other kind: empty. Blocks for one short-path
// lookup per object.
std::u16string BuildLaunchCommandLine(platform::Files& files, EncoderKind kind, std::u16string_view executable,
                                      const ExportDescription& description);

// Fills the first kDropFileListBytes of `block`, zeroing them first: the dropped-files header (list at offset 20, drop point
// 10,10, wide characters), then one zero-terminated short form per object while the list stays below
// kHandOffChars; a zero character ends the list. Writes nothing and returns false when `block` is smaller.
// Blocks for one short-path lookup per object.
bool BuildDropFileList(platform::Files& files, const ExportDescription& description, std::span<std::uint8_t> block);

// The files the automation object is given for one object: mediaVideo when set, then every set audio
// file unless the video's extension is ".DV", ".DIF", ".M2V", ".2VUY" or ".YUV", in any case.
std::vector<std::u16string> AutomationFileSequence(const ExportObject& object);

}  // namespace encoder
