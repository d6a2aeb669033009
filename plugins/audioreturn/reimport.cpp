#include "reimport.h"

#include <utility>
#include <vector>

#include "contract/clip_list.h"
#include "contract/entry_points.h"
#include "platform/limits.h"
#include "platform/path.h"

namespace sorrend {
namespace {

constexpr std::u16string_view kFlagSection = u"Clip 0";
constexpr std::u16string_view kClipSection = u"CLIP 0";
constexpr std::u16string_view kModifiedKey = u"__MODIFIED";

std::optional<std::u16string> Fitting(std::u16string text) {
  if (!platform::FitsLimit(text, platform::kMaxPathChars)) return std::nullopt;
  return text;
}

std::u16string ReadClipValue(platform::Profile& profile, const std::u16string& file, std::u16string_view key) {
  return profile.ReadString(file, kClipSection, key, u"", platform::kWideBufferChars).value;
}

// Everything the clip list section needs from one description file; nothing when the file is not a
// modified clip whose audio file exists.
std::optional<contract::ReimportedClip> ReadModifiedClip(platform::Profile& profile, HostServices& host,
                                                         const std::u16string& file) {
  if (profile.ReadInt(file, kFlagSection, kModifiedKey, 0) == 0) return std::nullopt;
  contract::ReimportedClip clip;
  clip.path = ReadClipValue(profile, file, u"PATH");
  clip.filename = ReadClipValue(profile, file, u"FILENAME");
  if (clip.path.empty() || clip.filename.empty()) return std::nullopt;
  // PATH is expected to end in a separator; it is joined as it stands.
  const std::optional<std::u16string> audio = Fitting(clip.path + clip.filename);
  if (!audio || !host.FileExists(*audio)) return std::nullopt;
  clip.routing = ReadClipValue(profile, file, u"ROUTING");
  clip.clipAuthor = ReadClipValue(profile, file, u"CLIPAUTHOR");
  clip.scene = ReadClipValue(profile, file, u"SCENE");
  clip.take = ReadClipValue(profile, file, u"TAKE");
  clip.name = ReadClipValue(profile, file, u"NAME");
  return clip;
}

}  // namespace

std::optional<std::u16string> SendFolder(HostServices& host) {
  std::u16string folder;
  if (std::optional<std::u16string> render = host.DefaultRenderPath()) {
    folder = std::move(*render);
  } else if (std::optional<std::u16string> application = host.ApplicationDirectory()) {
    folder = std::move(*application);
  }
  // Appended without testing for a separator: the render directory ends in one.
  return Fitting(folder + platform::NativeSeparators(u"Dovrel\\"));
}

std::optional<std::u16string> ClipListPath(std::u16string_view modulePath) {
  if (!platform::WithinPathLimit(modulePath)) return std::nullopt;
  return Fitting(platform::DriveAndDirectory(modulePath) + u"Vorlane.INI");
}

int ReimportEditedAudio(platform::System& system, HostServices& host, std::u16string_view modulePath) {
  const std::optional<std::u16string> folder = SendFolder(host);
  const std::optional<std::u16string> clipList = ClipListPath(modulePath);
  if (!folder || !clipList) return 0;
  const std::optional<std::u16string> pattern = Fitting(*folder + u"*.SRB");
  if (!pattern) return 0;

  struct Found {
    std::u16string file;
    contract::ReimportedClip clip;
  };
  std::vector<Found> found;
  for (const platform::FileEntry& entry : system.files.Find(*pattern)) {
    if (entry.isDirectory) continue;
    const std::optional<std::u16string> file = Fitting(*folder + entry.name);
    if (!file) continue;
    if (std::optional<contract::ReimportedClip> clip = ReadModifiedClip(system.profile, host, *file))
      found.push_back({*file, std::move(*clip)});
  }
  if (found.empty()) return 0;

  // The whole run in one write; when that fails, clip by clip, so that a clip that cannot be written
  // (read-only file, full disk) keeps no number in this run.
  std::vector<contract::ClipSection> sections;
  for (std::size_t i = 0; i < found.size(); ++i)
    sections.push_back(contract::ReimportedClipSection(static_cast<std::int32_t>(i), found[i].clip));
  std::vector<std::pair<const Found*, contract::ClipSection>> listedClips;
  if (contract::WriteClipSections(system.profile, *clipList, sections)) {
    for (std::size_t i = 0; i < found.size(); ++i) listedClips.emplace_back(&found[i], std::move(sections[i]));
  } else {
    for (const Found& f : found) {
      contract::ClipSection section =
          contract::ReimportedClipSection(static_cast<std::int32_t>(listedClips.size()), f.clip);
      if (contract::WriteClipSection(system.profile, *clipList, section))
        listedClips.emplace_back(&f, std::move(section));
    }
  }
  // A flag is consumed only by a clip that the host will read as it was written; any other stays
  // modified and is offered again.
  for (const auto& [f, section] : listedClips) {
    if (contract::ClipSectionReadsBack(system.profile, *clipList, section))
      system.profile.WriteString(f->file, kFlagSection, kModifiedKey, std::u16string_view(u"0"));
  }
  return static_cast<int>(listedClips.size());
}

}  // namespace sorrend
