#include "clip_list_reader.h"

#include "platform/path.h"
#include "platform/system.h"
#include "platform/ini_lines.h"
#include "platform/text_codec.h"

namespace plugin_host {
namespace {

constexpr std::size_t kLargestClipList = 64u << 20;

}  // namespace

std::u16string DecodeClipListBytes(std::string_view bytes) { return platform::DecodeText(bytes).text; }

std::vector<ClipListSection> ParseClipList(std::u16string_view text) {
  std::vector<ClipListSection> sections;
  for (const platform::IniLine& line : platform::SplitIniLines(text)) {
    if (line.header) {
      sections.push_back({std::u16string(line.name), {}});
      continue;
    }
    if (sections.empty()) sections.push_back({});
    auto& entries = sections.back().entries;
    // Of a run of nameless keys the profile reader keeps only the first.
    if (line.name.empty() && !entries.empty() && entries.back().key.empty()) continue;
    ClipListEntry entry{std::u16string(line.name), std::nullopt};
    if (line.value) entry.value = std::u16string(*line.value);
    entries.push_back(std::move(entry));
  }
  return sections;
}

std::optional<ClipList> ReadClipListBeside(const std::u16string& directory) {
  platform::Files& files = platform::RealSystem().files;
  std::u16string folder = directory;
  if (!folder.empty() && !platform::EndsWithSeparator(folder)) folder.push_back(platform::PathSeparator());
  for (const platform::FileEntry& entry : files.Find(folder + u"vorlane.ini")) {
    if (entry.isDirectory) continue;
    ClipList list;
    list.path = folder + entry.name;
    const auto bytes = files.ReadBytes(list.path, kLargestClipList);
    if (!bytes) return std::nullopt;
    list.sections = ParseClipList(DecodeClipListBytes(*bytes));
    return list;
  }
  return std::nullopt;
}

}  // namespace plugin_host
