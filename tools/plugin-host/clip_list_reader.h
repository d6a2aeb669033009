#pragma once
// Reading back the clip list file that a receive plug-in left beside its module, for display.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plugin_host {

struct ClipListEntry {
  std::u16string key;
  std::optional<std::u16string> value;  // absent for a line without "="
};

struct ClipListSection {
  std::u16string name;  // empty for lines before the first section header
  std::vector<ClipListEntry> entries;
};

struct ClipList {
  std::u16string path;
  std::vector<ClipListSection> sections;
};

// Splits profile text into sections and entries in file order, as the profile reader sees them
// (platform::SplitIniLines; of a run of nameless keys only the first).
std::vector<ClipListSection> ParseClipList(std::u16string_view text);

// Decodes the file's bytes as the profile functions of this build do (platform::DecodeText).
std::u16string DecodeClipListBytes(std::string_view bytes);

// What breaks the host's rules for reading a clip list, in one line; nothing when it keeps them. Only
// sections "Clip<n>" (any case), numbered 0 to n-1 with no gap, each with every key of its writer's kind
// and no other: the clip record's keys (sections "Clip<n>"), or for a re-import writer, which names its
// sections "CLIP<n>", MODE and COMMENT and the keys it copies.
std::optional<std::string> ClipListFault(const ClipList& list);

// The clip list file "vorlane.ini", found without regard to case in `directory`, read and parsed; nothing
// when there is none. Blocks while it reads the file.
std::optional<ClipList> ReadClipListBeside(const std::u16string& directory);

}  // namespace plugin_host
