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

// Everything the clip list section needs from one description file; nothing when the file is not a
// modified clip whose audio file exists.
std::optional<contract::ReimportedClip> ReadModifiedClip(platform::Profile& profile, HostServices& host,
                                                         const std::u16string& file) {
  if (profile.ReadInt(file, kFlagSection, kModifiedKey, 0) == 0) return std::nullopt;
  constexpr std::u16string_view kKeys[] = {u"PATH", u"FILENAME", u"ROUTING", u"CLIPAUTHOR", u"SCENE", u"TAKE", u"NAME"};
  std::vector<platform::ProfileRead> reads;
  for (std::u16string_view key : kKeys) reads.push_back({kClipSection, key, u"", platform::kWideBufferChars});
  std::vector<platform::ProfileString> values = profile.ReadStrings(file, reads);
  contract::ReimportedClip clip{std::move(values[0].value), std::move(values[1].value), std::move(values[2].value),
                                std::move(values[3].value), std::move(values[4].value), std::move(values[5].value),
                                std::move(values[6].value)};
  if (clip.path.empty() || clip.filename.empty()) return std::nullopt;
  // PATH is expected to end in a separator; it is joined as it stands.
  const std::optional<std::u16string> audio = Fitting(clip.path + clip.filename);
  if (!audio || !host.FileExists(*audio)) return std::nullopt;
  return clip;
}

// A rewrite cut short (a host killed while a flag was cleared) leaves its new copy beside the file. The
// file itself may never be rewritten again, so each run clears the copies out of the send folder, and
// the clip list's, before it writes anything.
void RemoveLeftoverCopies(platform::Files& files, const std::u16string& folder, std::u16string_view clipList) {
  const std::optional<std::u16string> copies = Fitting(platform::ProfileReplacementPath(folder + u"*.SRB"));
  if (copies) {
    for (const platform::FileEntry& entry : files.Find(*copies)) {
      if (!entry.isDirectory) files.Remove(folder + entry.name);
    }
  }
  files.Remove(platform::ProfileReplacementPath(clipList));
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
  RemoveLeftoverCopies(system.files, *folder, *clipList);

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

  // The run's clips in as few writes as their size allows. A batch that cannot be written is tried again
  // clip by clip, so that a clip that cannot be written (read-only file, full disk) keeps no number.
  std::int32_t listed = 0;
  for (std::size_t next = 0; next < found.size();) {
    std::vector<const Found*> batch;
    std::vector<contract::ClipSection> sections;
    for (std::size_t weight = 0; next < found.size() && weight < contract::kClipBatchWeight; ++next) {
      batch.push_back(&found[next]);
      sections.push_back(contract::ReimportedClipSection(listed + static_cast<std::int32_t>(sections.size()),
                                                         found[next].clip));
      weight += contract::ClipSectionWeight(sections.back());
    }
    if (!contract::WriteClipSections(system.profile, *clipList, sections)) {
      std::vector<const Found*> written;
      sections.clear();
      for (const Found* f : batch) {
        contract::ClipSection section = contract::ReimportedClipSection(
            listed + static_cast<std::int32_t>(sections.size()), f->clip);
        if (!contract::WriteClipSection(system.profile, *clipList, section)) continue;
        written.push_back(f);
        sections.push_back(std::move(section));
      }
      batch = std::move(written);
    }
    // A flag is consumed only once its clip is in the file, and only by a clip that the host will read as
    // it was written; any other stays modified and is offered again.
    const std::vector<bool> intact = contract::ClipSectionsReadBack(system.profile, *clipList, sections);
    for (std::size_t i = 0; i < batch.size(); ++i) {
      if (intact[i]) system.profile.WriteString(batch[i]->file, kFlagSection, kModifiedKey, std::u16string_view(u"0"));
    }
    listed += static_cast<std::int32_t>(batch.size());
  }
  return listed;
}

}  // namespace sorrend
