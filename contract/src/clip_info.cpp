#include "contract/clip_info.h"

#include <utility>

#include "platform/limits.h"
#include "platform/text.h"

namespace contract {

ClipSection ClipInfoSection(ClipInfo clip, ClipInfoWriter writer) {
  ClipSection section{u"Clip" + platform::FormatInt(clip.number), {}};
  section.entries.reserve(18);
  // The record's texts move into the section: a run hands over thousands of them.
  auto add = [&section](std::u16string_view key, std::u16string& value) {
    if (!platform::FitsLimit(value, platform::kMaxTextChars)) value.resize(platform::kMaxTextChars);
    section.entries.push_back({std::u16string(key), std::move(value)});
  };
  add(u"Path", clip.path);
  add(u"Filename", clip.filename);
  add(u"Reelname", clip.reelname);
  add(u"Rackname", clip.rackname);
  add(u"TCIn ", clip.tcIn);  // the blank belongs to the key the host expects
  add(u"TCOut", clip.tcOut);
  add(u"MarkIn", clip.markIn);
  add(u"MarkOut", clip.markOut);
  add(u"Routing", clip.routing);
  add(u"Mode", clip.mode);
  add(u"ClipAuthor", clip.clipAuthor);
  add(u"Scene", clip.scene);
  add(u"Take", clip.take);
  add(u"Comment", clip.comment);
  if (writer == ClipInfoWriter::Moltrin) {
    add(u"Attribute", clip.attribute);
    add(u"Name", clip.name);
  } else {
    add(u"Name", clip.name);
    add(u"Attribute", clip.attribute);
    add(u"AddToSeq", clip.addToSeq);
  }
  section.entries.push_back({u"Length", platform::FormatInt(clip.length)});
  return section;
}

bool SaveClipInfo(platform::Profile& profile, std::u16string_view clipListPath, const ClipInfo* clip,
                  ClipInfoWriter writer) {
  if (clip == nullptr) return true;
  return WriteClipSection(profile, clipListPath, ClipInfoSection(*clip, writer));
}

}  // namespace contract
