#include "clip_list_reader.h"

#include "platform/path.h"
#include "platform/system.h"
#include "platform/text.h"

namespace plugin_host {
namespace {

constexpr std::size_t kLargestClipList = 64u << 20;

bool IsBlank(char16_t c) { return c == u' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
  }
  return text;
}

}  // namespace

std::u16string DecodeClipListBytes(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") return DecodeUtf16(bytes.substr(2), false);
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") return DecodeUtf16(bytes.substr(2), true);
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::u16string text = platform::Utf8ToUtf16(bytes);
  // Bytes that are not UTF-8 come back as U+DC80..U+DCFF; then the file is 8-bit text.
  for (char16_t c : text)
    if (c >= 0xDC80 && c <= 0xDCFF) return platform::Widen(bytes);
  return text;
}

std::vector<ClipListSection> ParseClipList(std::u16string_view text) {
  std::vector<ClipListSection> sections;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", at);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string_view line = Trim(text.substr(at, end - at));
    at = end + 1;
    if (line.empty()) continue;
    const std::size_t close = line.rfind(u']');
    if (line.front() == u'[' && close != std::u16string_view::npos) {
      sections.push_back({std::u16string(Trim(line.substr(1, close - 1))), {}});
      continue;
    }
    if (sections.empty()) sections.push_back({});
    ClipListEntry entry;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
      entry.key = line;
    } else {
      entry.key = Trim(line.substr(0, equals));
      entry.value = std::u16string(Trim(line.substr(equals + 1)));
    }
    sections.back().entries.push_back(std::move(entry));
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
