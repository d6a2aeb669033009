#include "contract/clip_list.h"

#include <optional>

#include "platform/limits.h"
#include "platform/text.h"

namespace contract {

bool WriteClipSection(platform::Profile& profile, std::u16string_view clipListPath, const ClipSection& section) {
  return WriteClipSections(profile, clipListPath, {section});
}

bool WriteClipSections(platform::Profile& profile, std::u16string_view clipListPath,
                       const std::vector<ClipSection>& sections) {
  std::vector<platform::ProfileWrite> writes;
  for (const ClipSection& section : sections) {
    for (const ClipEntry& entry : section.entries) writes.push_back({section.name, entry.key, entry.value});
  }
  return profile.WriteBatch(clipListPath, writes);
}

bool ClipSectionReadsBack(platform::Profile& profile, std::u16string_view clipListPath, const ClipSection& section) {
  for (const ClipEntry& entry : section.entries) {
    const platform::ProfileString read =
        profile.ReadString(clipListPath, section.name, entry.key, u"", platform::kWideBufferChars);
    if (read.value != entry.value) return false;
  }
  return true;
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
