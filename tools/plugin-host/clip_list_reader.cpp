#include "clip_list_reader.h"

#include <algorithm>
#include <set>

#include "platform/text.h"

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

std::optional<std::string> ClipListFault(const ClipList& list) {
  static const std::vector<std::u16string> kClipInfoKeys{
      u"Path", u"Filename", u"Reelname", u"Rackname", u"TCIn", u"TCOut", u"MarkIn", u"MarkOut", u"Routing",
      u"Mode", u"ClipAuthor", u"Scene", u"Take", u"Comment", u"Name", u"Attribute", u"Length"};
  static const std::vector<std::u16string> kClipInfoOptional{u"AddToSeq"};
  static const std::vector<std::u16string> kReimportKeys{u"MODE", u"COMMENT"};
  static const std::vector<std::u16string> kReimportOptional{u"PATH", u"FILENAME", u"ROUTING", u"CLIPAUTHOR",
                                                             u"SCENE", u"TAKE", u"NAME"};
  const auto among = [](const std::vector<std::u16string>& keys, std::u16string_view key) {
    return std::any_of(keys.begin(), keys.end(), [&](const auto& k) { return platform::EqualsNoCase(k, key); });
  };
  std::set<long> numbers;
  for (const auto& section : list.sections) {
    const std::string name = platform::Utf16ToUtf8(section.name);
    const std::u16string_view prefix = std::u16string_view(section.name).substr(0, 4);
    const std::u16string_view digits = std::u16string_view(section.name).substr(prefix.size());
    const bool numbered = platform::EqualsNoCase(prefix, u"Clip") && !digits.empty() && digits.size() < 9 &&
                          std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (!numbered) return "section [" + name + "] is no numbered clip section";
    const long number = std::stol(platform::Utf16ToUtf8(digits));
    if (!numbers.insert(number).second) return "clip number " + std::to_string(number) + " appears twice";
    const bool reimport = prefix == u"CLIP";
    const auto& required = reimport ? kReimportKeys : kClipInfoKeys;
    const auto& optional = reimport ? kReimportOptional : kClipInfoOptional;
    for (const auto& key : required) {
      const bool present = std::any_of(section.entries.begin(), section.entries.end(), [&](const ClipListEntry& e) {
        return e.value && platform::EqualsNoCase(e.key, key);
      });
      if (!present) return "[" + name + "] lacks key " + platform::Utf16ToUtf8(key);
    }
    for (const auto& entry : section.entries)
      if (!among(required, entry.key) && !among(optional, entry.key))
        return "[" + name + "] holds " + platform::Utf16ToUtf8(entry.key) + ", no key of its kind";
  }
  long expected = 0;
  for (const long number : numbers) {
    if (number != expected) return "clip number " + std::to_string(expected) + " is missing before " + std::to_string(number);
    ++expected;
  }
  return std::nullopt;
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
