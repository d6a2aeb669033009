#pragma once
// The whole export description in memory: the GENERAL values, the top-level objects in file order and,
// for each sequence, its tracks and the objects on them. Every list owns its elements; the back
// references (an object's track, a track's object) do not own.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contract/export_description.h"
#include "contract/export_description_paths.h"

namespace encoder {

using contract::ObjectType;
using contract::VideoSystem;

struct ExportTrack;

// Text fields hold at most the limits of contract/export_description.h.
struct ExportObject {
  ObjectType type = ObjectType::None;
  std::int32_t fused = 0;
  std::u16string name;
  std::u16string comment;
  std::u16string reel;
  std::u16string tracks;
  std::int32_t scene = 0;
  std::int32_t take = 0;
  std::u16string attribute;
  std::u16string clipIn;
  std::u16string clipOut;
  std::u16string markIn;
  std::u16string markOut;
  std::u16string recIn;
  std::u16string recOut;
  std::u16string mediaVideo;
  std::u16string mediaAudio1;
  std::u16string mediaAudio2;
  std::u16string mediaAudio3;
  std::u16string mediaAudio4;
  std::int32_t trackCount = 0;
  ExportTrack* parentTrack = nullptr;  // the track whose list holds this object; none at the top level
  std::vector<std::unique_ptr<ExportTrack>> trackList;
};

using ObjectList = std::vector<std::unique_ptr<ExportObject>>;

struct ExportTrack {
  std::int32_t video = 0;
  std::int32_t audio = 0;
  std::int32_t objectCount = 0;
  std::u16string name;
  ExportObject* owner = nullptr;  // the object that holds this track
  ObjectList objects;
};

struct ExportDescription {
  std::int32_t objectCount = 0;
  std::u16string projectName;
  std::u16string userName;
  VideoSystem videoSystem = VideoSystem::None;
  double frameRate = 0.0;
  std::int32_t sampleRate = 0;
  std::int32_t verticalSize = 0;
  std::int32_t horizontalSize = 0;
  std::int32_t widescreen = 0;
  ObjectList objects;
};

// Frees every object, track and nested object, depth first, and sets the general fields to zero and
// empty text. The depth is that of the tree the reader built, which it bounds.
void ClearDescription(ExportDescription& description);

// The first non-empty of mediaVideo, mediaAudio1 ... mediaAudio4; nothing when all five are empty.
std::optional<std::u16string_view> PrimaryMediaPath(const ExportObject& object);

// The path helpers every reader of the description shares.
using contract::DirectoryOf;
using contract::FileExists;

}  // namespace encoder
