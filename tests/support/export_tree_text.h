#pragma once
// The whole export description tree as text, one line per description, object and track, with each
// element's back reference checked, so that two trees compare with one string comparison.
#include <string>

#include "export_description_tree.h"
#include "platform/text.h"

namespace vorlane::test {

inline void AppendObjects(std::string& out, const encoder::ObjectList& objects, const encoder::ExportTrack* parent,
                          int depth);

inline void AppendObject(std::string& out, const encoder::ExportObject& o, const encoder::ExportTrack* parent,
                         int depth) {
  using platform::Utf16ToUtf8;
  out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + "object type=" +
         std::to_string(static_cast<int>(o.type)) + " fused=" + std::to_string(o.fused) + " name=" +
         Utf16ToUtf8(o.name) + " comment=" + Utf16ToUtf8(o.comment) + " reel=" + Utf16ToUtf8(o.reel) +
         " tracks=" + Utf16ToUtf8(o.tracks) + " scene=" + std::to_string(o.scene) + " take=" + std::to_string(o.take) +
         " attribute=" + Utf16ToUtf8(o.attribute) + " clip=" + Utf16ToUtf8(o.clipIn) + "/" + Utf16ToUtf8(o.clipOut) +
         " mark=" + Utf16ToUtf8(o.markIn) + "/" + Utf16ToUtf8(o.markOut) + " rec=" + Utf16ToUtf8(o.recIn) + "/" +
         Utf16ToUtf8(o.recOut) + " media=" + Utf16ToUtf8(o.mediaVideo) + "|" + Utf16ToUtf8(o.mediaAudio1) + "|" +
         Utf16ToUtf8(o.mediaAudio2) + "|" + Utf16ToUtf8(o.mediaAudio3) + "|" + Utf16ToUtf8(o.mediaAudio4) +
         " trackcount=" + std::to_string(o.trackCount) + (o.parentTrack == parent ? "" : " WRONG-PARENT") + "\n";
  for (const auto& track : o.trackList) {
    out += std::string(static_cast<std::size_t>(depth) * 2 + 1, ' ') + "track video=" +
           std::to_string(track->video) + " audio=" + std::to_string(track->audio) + " objcount=" +
           std::to_string(track->objectCount) + " name=" + Utf16ToUtf8(track->name) +
           (track->owner == &o ? "" : " WRONG-OWNER") + "\n";
    AppendObjects(out, track->objects, track.get(), depth + 1);
  }
}

inline void AppendObjects(std::string& out, const encoder::ObjectList& objects, const encoder::ExportTrack* parent,
                          int depth) {
  for (const auto& object : objects) AppendObject(out, *object, parent, depth);
}

inline std::string TreeText(const encoder::ExportDescription& d) {
  std::string out = "general objcount=" + std::to_string(d.objectCount) + " project=" +
                    platform::Utf16ToUtf8(d.projectName) + " user=" + platform::Utf16ToUtf8(d.userName) +
                    " system=" + std::to_string(static_cast<int>(d.videoSystem)) +
                    " fps=" + std::to_string(d.frameRate) + " samplerate=" + std::to_string(d.sampleRate) +
                    " size=" + std::to_string(d.horizontalSize) + "x" + std::to_string(d.verticalSize) +
                    " widescreen=" + std::to_string(d.widescreen) + "\n";
  AppendObjects(out, d.objects, nullptr, 1);
  return out;
}

}  // namespace vorlane::test
