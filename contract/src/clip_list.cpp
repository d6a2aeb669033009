#include "contract/clip_list.h"

#include <optional>
#include <utility>

#include "platform/limits.h"
#include "platform/text.h"

namespace contract {

bool WriteClipSection(platform::Profile& profile, std::u16string_view clipListPath, const ClipSection& section) {
  return WriteClipSections(profile, clipListPath, {section});
}

bool WriteClipSections(platform::Profile& profile, std::u16string_view clipListPath,
                       const std::vector<ClipSection>& sections) {
  return profile.WriteSections(clipListPath, sections);
}

std::size_t ClipSectionWeight(const ClipSection& section) {
  // A key's text and what holds it, here and in the document it is written into: four strings.
  constexpr std::size_t kPerEntry = 4 * sizeof(std::u16string) / sizeof(char16_t);
  std::size_t weight = section.name.size() + kPerEntry;
  for (const ClipEntry& entry : section.entries) weight += 2 * (entry.key.size() + entry.value.size()) + kPerEntry;
  return weight;
}

bool ClipListWriter::Add(ClipSection section) {
  weight_ += ClipSectionWeight(section);
  sections_.push_back(std::move(section));
  return weight_ < batchWeight_ || Flush();
}

bool ClipListWriter::Flush() {
  if (sections_.empty()) return true;
  const bool written = profile_.WriteSections(clipList_, sections_);
  sections_.clear();
  weight_ = 0;
  return written;
}

std::vector<bool> ClipSectionsReadBack(platform::Profile& profile, std::u16string_view clipListPath,
                                       const std::vector<ClipSection>& sections) {
  return profile.SectionsReadBack(clipListPath, sections, platform::kWideBufferChars);
}

bool ClearClipList(platform::Files& files, std::u16string_view clipListPath) {
  files.Remove(platform::ProfileReplacementPath(clipListPath));
  files.Remove(clipListPath);
  std::optional<platform::FileEntry> left = files.Attributes(clipListPath);
  if (left && !left->isDirectory && left->size != 0 && files.WriteBytes(clipListPath, {}))
    left = files.Attributes(clipListPath);
  return !left || (!left->isDirectory && left->size == 0);
}

ClipSection ReimportedClipSection(std::int32_t number, const ReimportedClip& clip) {
  ClipSection section{u"CLIP" + platform::FormatInt(number), {}};
  auto copied = [&section](std::u16string_view key, const std::u16string& value) {
    if (!value.empty())
      section.entries.push_back({std::u16string(key), platform::CutToLimit(value, platform::kMaxTextChars)});
  };
  auto always = [&section](std::u16string_view key, std::u16string_view value) {
    section.entries.push_back({std::u16string(key), std::u16string(value)});
  };
  copied(u"PATH", clip.path);
  copied(u"FILENAME", clip.filename);
  copied(u"ROUTING", clip.routing);
  always(u"MODE", u"IMPORT");
  copied(u"CLIPAUTHOR", clip.clipAuthor);
  copied(u"SCENE", clip.scene);
  copied(u"TAKE", clip.take);
  always(u"COMMENT", u"Reimported from WaveLab");
  copied(u"NAME", clip.name);
  return section;
}

}  // namespace contract
