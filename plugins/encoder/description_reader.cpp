#include "description_reader.h"

#include <array>
#include <memory>
#include <new>
#include <optional>

#include "contract/export_description.h"
#include "platform/limits.h"
#include "platform/profile_snapshot.h"

namespace encoder {
namespace {

using contract::ReadInteger;
using contract::ReadText;

}  // namespace

DescriptionReader::DescriptionReader(platform::Profile& profile, platform::Files& files, std::u16string_view file,
                                     const ReadLimits& limits)
    : profile_(profile), files_(files), file_(file), elementsLeft_(limits.elements), depthLeft_(limits.nestingDepth) {}

bool DescriptionReader::TakeElements(std::int64_t count) {
  if (count > elementsLeft_) return false;
  elementsLeft_ -= count;
  return true;
}

bool DescriptionReader::ReadDescription(ExportDescription& d) {
  const std::u16string_view general = contract::kGeneralSection;
  d.objectCount = ReadInteger(profile_, file_, general, u"OBJCOUNT");
  d.projectName = ReadText(profile_, file_, general, u"PRJNAME", contract::kLongTextLimit);
  d.userName = ReadText(profile_, file_, general, u"USERNAME", contract::kLongTextLimit);
  d.videoSystem = contract::ReadVideoSystem(profile_, file_);
  d.frameRate = ReadRate(profile_, general, u"FPS", 0.0, file_);
  d.sampleRate = ReadInteger(profile_, file_, general, u"SAMPLERATE");
  d.horizontalSize = ReadInteger(profile_, file_, general, u"HSIZE");
  d.verticalSize = ReadInteger(profile_, file_, general, u"VSIZE");
  d.widescreen = ReadInteger(profile_, file_, general, u"16_9");
  return ReadObjectList(contract::kObjectPrefix, nullptr, d.objectCount, d.objects);
}

bool DescriptionReader::ReadObjectList(std::u16string_view prefix, ExportTrack* parentTrack, std::int32_t count,
                                       ObjectList& list) {
  if (count <= 0) return true;
  // The whole count is taken up front, so that a huge count fails at once instead of after its budget.
  if (!TakeElements(count)) return false;
  try {
    list.reserve(list.size() + static_cast<std::size_t>(count));
    bool result = true;
    for (std::int32_t i = 1; i <= count && result; ++i) {
      auto object = std::make_unique<ExportObject>();
      ReadObject(contract::ObjectSectionName(prefix, i), *object);
      object->parentTrack = parentTrack;
      if (object->fused == 0 && object->trackCount > 0 && object->type == ObjectType::Sequence) {
        result = ReadTracks(prefix, i, *object);
      }
      list.push_back(std::move(object));
    }
    return result;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool DescriptionReader::ReadTracks(std::u16string_view prefix, std::int32_t number, ExportObject& object) {
  if (depthLeft_ <= 0 || !TakeElements(object.trackCount)) return false;
  --depthLeft_;
  object.trackList.reserve(static_cast<std::size_t>(object.trackCount));
  bool result = true;
  for (std::int32_t t = 1; t <= object.trackCount && result; ++t) {
    auto track = std::make_unique<ExportTrack>();
    const std::u16string section = contract::TrackSectionName(prefix, number, t);
    track->video = ReadInteger(profile_, file_, section, u"VIDEO");
    track->audio = ReadInteger(profile_, file_, section, u"AUDIO");
    track->objectCount = ReadInteger(profile_, file_, section, u"OBJCOUNT");
    track->name = ReadText(profile_, file_, section, u"NAME", contract::kLongTextLimit);
    track->owner = &object;
    result = ReadObjectList(contract::TrackObjectPrefix(prefix, number, t), track.get(), track->objectCount,
                            track->objects);
    object.trackList.push_back(std::move(track));
  }
  ++depthLeft_;
  return result;
}

bool DescriptionReader::ReadObject(std::u16string_view section, ExportObject& o) {
  if (section.empty()) return false;
  using contract::kLongTextLimit;
  using contract::kMediaPathLimit;
  using contract::kShortTextLimit;
  using contract::kTimecodeLimit;
  o.type = contract::ReadObjectType(profile_, file_, section);
  o.fused = ReadInteger(profile_, file_, section, u"FUSED");
  o.name = ReadText(profile_, file_, section, u"NAME", kLongTextLimit);
  o.comment = ReadText(profile_, file_, section, u"COMMENT", kLongTextLimit);
  o.reel = ReadText(profile_, file_, section, u"REEL", kShortTextLimit);
  o.tracks = ReadText(profile_, file_, section, u"TRACKS", kShortTextLimit);
  o.scene = ReadInteger(profile_, file_, section, u"SCENE");
  o.take = ReadInteger(profile_, file_, section, u"TAKE");
  o.attribute = ReadText(profile_, file_, section, u"ATTRIBUTE", kShortTextLimit);
  o.markIn = ReadText(profile_, file_, section, u"MARKIN", kTimecodeLimit);
  o.markOut = ReadText(profile_, file_, section, u"MARKOUT", kTimecodeLimit);
  o.clipIn = ReadText(profile_, file_, section, u"CLIPIN", kTimecodeLimit, o.markIn);
  o.clipOut = ReadText(profile_, file_, section, u"CLIPOUT", kTimecodeLimit, o.markOut);
  o.recIn = ReadText(profile_, file_, section, u"RECIN", kTimecodeLimit);
  o.recOut = ReadText(profile_, file_, section, u"RECOUT", kTimecodeLimit);
  const std::array<std::u16string*, 5> media = {&o.mediaVideo, &o.mediaAudio1, &o.mediaAudio2, &o.mediaAudio3,
                                                &o.mediaAudio4};
  for (std::size_t k = 0; k < media.size(); ++k) {
    *media[k] = ReadText(profile_, file_, section, contract::kMediaKeys[k], kMediaPathLimit);
  }
  o.trackCount = ReadInteger(profile_, file_, section, u"TRACKCOUNT");

  for (std::u16string* path : media) {
    if (path->empty()) continue;
    // A path that cannot be made absolute, or whose absolute form is too long, stays as the host wrote it.
    const std::optional<std::u16string> full = files_.FullPath(*path);
    if (full && platform::WithinPathLimit(*full)) *path = *full;
  }
  return true;
}

bool ParseQuessaFile(platform::System& system, std::u16string_view path, ExportDescription* description,
                     const ReadLimits& limits) {
  if (description == nullptr || path.empty()) return false;
  ClearDescription(*description);
  if (!platform::WithinPathLimit(path) || !FileExists(system.files, path)) return false;
  // Read as one piece: asking the platform's profile functions key by key searches the whole file
  // every time, which grows with the square of the object count.
  const std::optional<std::string> bytes = system.files.ReadBytes(path, kMaxDescriptionBytes + 1);
  if (!bytes || bytes->size() > kMaxDescriptionBytes) return false;
  try {
    const std::unique_ptr<platform::Profile> snapshot = platform::MakeProfileSnapshot(system.profile, path, *bytes);
    DescriptionReader reader(*snapshot, system.files, path, limits);
    return reader.ReadDescription(*description);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace encoder
