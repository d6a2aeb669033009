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

// Splits profile text into sections and entries in file order, as the profile reader sees them: lines
// trimmed, "[name]" up to the last "]", keys split at the first "=". Blank lines are dropped.
std::vector<ClipListSection> ParseClipList(std::u16string_view text);

// Decodes the file's bytes: a UTF-16 byte-order mark means UTF-16, a UTF-8 one or valid UTF-8 means UTF-8,
// anything else is read byte by byte as Latin-1 (the ANSI code page's letters agree for display).
std::u16string DecodeClipListBytes(std::string_view bytes);

// The clip list file "vorlane.ini", found without regard to case in `directory`, read and parsed; nothing
// when there is none. Blocks while it reads the file.
std::optional<ClipList> ReadClipListBeside(const std::u16string& directory);

}  // namespace plugin_host
