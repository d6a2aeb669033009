#include "export_description_tree.h"

#include <array>

namespace encoder {
namespace {

void ClearObjects(ObjectList& objects) {
  for (const std::unique_ptr<ExportObject>& object : objects) {
    for (const std::unique_ptr<ExportTrack>& track : object->trackList) ClearObjects(track->objects);
    object->trackList.clear();
  }
  objects.clear();
}

}  // namespace

void ClearDescription(ExportDescription& description) {
  ClearObjects(description.objects);
  description = ExportDescription{};
}

std::optional<std::u16string_view> PrimaryMediaPath(const ExportObject& object) {
  const std::array<const std::u16string*, 5> media = {&object.mediaVideo, &object.mediaAudio1, &object.mediaAudio2,
                                                      &object.mediaAudio3, &object.mediaAudio4};
  for (const std::u16string* path : media) {
    if (!path->empty()) return std::u16string_view(*path);
  }
  return std::nullopt;
}

}  // namespace encoder
