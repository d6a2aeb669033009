// Arbitrary bytes as an export description file, read whole into Carvesh's tree. A small tree must
// equal the one that the profile functions give, asked one key at a time; a large one must stay within
// the reader's limits.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "description_reader.h"
#include "export_tree_text.h"
#include "platform/system.h"

namespace {

namespace fs = std::filesystem;

// The reader's own limits, lowered so that a hostile count costs milliseconds rather than seconds here.
constexpr encoder::ReadLimits kLimits{300, 16};
// Per-key reads parse the whole file for every key: only small files with trees this small are compared.
constexpr std::size_t kComparedElements = 1;
constexpr std::size_t kComparedBytes = 512;

const fs::path& DescriptionFile() {
  static const fs::path file = [] {
    const fs::path dir = fs::temp_directory_path() / ("vorlane-fuzz-description-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / "export.ini";
  }();
  return file;
}

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
  {
    std::ofstream out(DescriptionFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  platform::System& system = platform::RealSystem();
  const std::u16string path = DescriptionFile().u16string();
  encoder::ExportDescription snapshot;
  const bool parsed = encoder::ParseQuessaFile(system, path, &snapshot, kLimits);
  const std::size_t elements = Elements(snapshot.objects);
  if (elements > static_cast<std::size_t>(kLimits.elements)) std::abort();

  if (elements <= kComparedElements && size <= kComparedBytes) {
    encoder::ExportDescription perKey;
    encoder::DescriptionReader reader(system.profile, system.files, path, kLimits);
    const bool perKeyParsed = reader.ReadDescription(perKey);
    if (perKeyParsed != parsed) std::abort();
    if (vorlane::test::TreeText(snapshot) != vorlane::test::TreeText(perKey)) std::abort();
    encoder::ClearDescription(perKey);
  }
  encoder::ClearDescription(snapshot);
  return 0;
}
