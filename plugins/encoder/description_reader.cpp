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
  const contract::IniSection general = contract::kGeneralSection;
  const contract::IniFile file(file_);
  d.objectCount = ReadInteger(profile_, file, general, u"OBJCOUNT");
  d.projectName = ReadText(profile_, file, general, u"PRJNAME", contract::kLongTextLimit);
  d.userName = ReadText(profile_, file, general, u"USERNAME", contract::kLongTextLimit);
  d.videoSystem = contract::ReadVideoSystem(profile_, file);
  d.frameRate = ReadRate(profile_, file, general, u"FPS", 0.0);
  d.sampleRate = ReadInteger(profile_, file, general, u"SAMPLERATE");
  d.horizontalSize = ReadInteger(profile_, file, general, u"HSIZE");
  d.verticalSize = ReadInteger(profile_, file, general, u"VSIZE");
  d.widescreen = ReadInteger(profile_, file, general, u"16_9");
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
  const contract::IniFile file(file_);
  --depthLeft_;
  object.trackList.reserve(static_cast<std::size_t>(object.trackCount));
  bool result = true;
  for (std::int32_t t = 1; t <= object.trackCount && result; ++t) {
    auto track = std::make_unique<ExportTrack>();
    const std::u16string name = contract::TrackSectionName(prefix, number, t);
    const contract::IniSection section(name);
    track->video = ReadInteger(profile_, file, section, u"VIDEO");
    track->audio = ReadInteger(profile_, file, section, u"AUDIO");
    track->objectCount = ReadInteger(profile_, file, section, u"OBJCOUNT");
    track->name = ReadText(profile_, file, section, u"NAME", contract::kLongTextLimit);
    track->owner = &object;
    result = ReadObjectList(contract::TrackObjectPrefix(prefix, number, t), track.get(), track->objectCount,
                            track->objects);
    object.trackList.push_back(std::move(track));
  }
  ++depthLeft_;
  return result;
}

bool DescriptionReader::ReadObject(std::u16string_view sectionName, ExportObject& o) {
  if (sectionName.empty()) return false;
  const contract::IniFile file(file_);
  const contract::IniSection section(sectionName);
  using contract::kLongTextLimit;
  using contract::kMediaPathLimit;
  using contract::kShortTextLimit;
  using contract::kTimecodeLimit;
  o.type = contract::ReadObjectType(profile_, file, section);
  o.fused = ReadInteger(profile_, file, section, u"FUSED");
  o.name = ReadText(profile_, file, section, u"NAME", kLongTextLimit);
  o.comment = ReadText(profile_, file, section, u"COMMENT", kLongTextLimit);
  o.reel = ReadText(profile_, file, section, u"REEL", kShortTextLimit);
  o.tracks = ReadText(profile_, file, section, u"TRACKS", kShortTextLimit);
  o.scene = ReadInteger(profile_, file, section, u"SCENE");
  o.take = ReadInteger(profile_, file, section, u"TAKE");
  o.attribute = ReadText(profile_, file, section, u"ATTRIBUTE", kShortTextLimit);
  o.markIn = ReadText(profile_, file, section, u"MARKIN", kTimecodeLimit);
  o.markOut = ReadText(profile_, file, section, u"MARKOUT", kTimecodeLimit);
  o.clipIn = ReadText(profile_, file, section, u"CLIPIN", kTimecodeLimit, o.markIn);
  o.clipOut = ReadText(profile_, file, section, u"CLIPOUT", kTimecodeLimit, o.markOut);
  o.recIn = ReadText(profile_, file, section, u"RECIN", kTimecodeLimit);
  o.recOut = ReadText(profile_, file, section, u"RECOUT", kTimecodeLimit);
  const std::array<std::u16string*, 5> media = {&o.mediaVideo, &o.mediaAudio1, &o.mediaAudio2, &o.mediaAudio3,
                                                &o.mediaAudio4};
  for (std::size_t k = 0; k < media.size(); ++k) {
    *media[k] = ReadText(profile_, file, section, contract::kMediaKeys[k], kMediaPathLimit);
  }
  o.trackCount = ReadInteger(profile_, file, section, u"TRACKCOUNT");

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
