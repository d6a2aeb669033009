// Arbitrary bytes as an export description file in memory, read whole into Carvesh's tree. A small tree
// must equal the one that the profile functions give, asked one key at a time; a large one must stay
// within the reader's limits.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "description_reader.h"
#include "export_tree_text.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/memory_files.h"

namespace {

// The reader's own limits, lowered so that a hostile count costs milliseconds rather than seconds here.
constexpr encoder::ReadLimits kLimits{300, 16};
// Small files with small trees are read key by key as well.
constexpr std::size_t kComparedElements = 16;
constexpr std::size_t kComparedBytes = 2048;
constexpr std::u16string_view kPath = u"/m/export.ini";

std::size_t Elements(const encoder::ObjectList& objects) {
  std::size_t count = objects.size();
  for (const auto& object : objects) {
    count += object->trackList.size();
    for (const auto& track : object->trackList) count += Elements(track->objects);
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::fake::MemoryFiles files;
  files.AddFolder(u"/m");
  files.Put(kPath, std::string_view(reinterpret_cast<const char*>(data), size));
  const std::unique_ptr<platform::Profile> profile = platform::fake::MakeMemoryProfile(files);
  platform::System system = platform::fake::MakeSystem({.profile = profile.get(), .files = &files});
  encoder::ExportDescription snapshot;
  const bool parsed = encoder::ParseQuessaFile(system, kPath, &snapshot, kLimits);
  const std::size_t elements = Elements(snapshot.objects);
  if (elements > static_cast<std::size_t>(kLimits.elements)) std::abort();

  if (elements <= kComparedElements && size <= kComparedBytes) {
    encoder::ExportDescription perKey;
    encoder::DescriptionReader reader(system.profile, system.files, kPath, kLimits);
    const bool perKeyParsed = reader.ReadDescription(perKey);
    if (perKeyParsed != parsed) std::abort();
    if (vorlane::test::TreeText(snapshot) != vorlane::test::TreeText(perKey)) std::abort();
    encoder::ClearDescription(perKey);
  }
  encoder::ClearDescription(snapshot);
  return 0;
}
