// Arbitrary bytes as a clip description file and as an existing clip list, through Sorrend's re-import
// and the clip list merge. The merge must equal one profile write per key, byte for byte.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <initializer_list>

#include <unistd.h>

#include "contract/clip_list.h"
#include "host_services.h"
#include "platform/system.h"
#include "platform/text.h"
#include "profile_store.h"
#include "reimport.h"

namespace {

namespace fs = std::filesystem;

class FuzzHost : public sorrend::HostServices {
 public:
  std::u16string renderPath;
  std::optional<std::u16string> DefaultRenderPath() override { return renderPath; }
  std::optional<std::u16string> ApplicationDirectory() override { return std::nullopt; }
  bool FileExists(const std::u16string&) override { return true; }
};

void Put(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Get(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const fs::path& Root() {
  static const fs::path root = [] {
    fs::path dir = fs::temp_directory_path() / ("vorlane-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(dir / "render" / "Dovrel");
    fs::create_directories(dir / "plugins");
    return dir;
  }();
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte splits the rest into the description file and the existing clip list.
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t cut = rest.size() * data[0] / 255;
  const std::string_view srb = rest.substr(0, cut);
  const std::string_view clipList = rest.substr(cut);

  const fs::path& root = Root();
  platform::System& system = platform::RealSystem();
  // A modified clip ahead of the fuzzed bytes makes sure the merge runs even when they hold no clip.
  Put(root / "render" / "Dovrel" / "a.SRB", "[CLIP 0]\r\n__MODIFIED=1\r\nPATH=p\r\nFILENAME=f\r\n");
  Put(root / "render" / "Dovrel" / "b.SRB", srb);
  Put(root / "plugins" / "Vorlane.INI", clipList);

  FuzzHost host;
  host.renderPath = (root / "render").u16string() + u"/";
  sorrend::ReimportEditedAudio(system, host, (root / "plugins" / "Sorrend.so").u16string());

  // The same merge once more, batched and per key, on copies of the fuzzed clip list.
  // A value read from a profile never holds a line end or a zero.
  std::u16string name = platform::Utf8ToUtf16(srb.substr(0, 300));
  std::erase_if(name, [](char16_t c) { return c == u'\r' || c == u'\n' || c == u'\0'; });
  contract::ReimportedClip clip{u"p/", u"f", u"", u"", u"", u"", name};
  const contract::ClipSection section = contract::ReimportedClipSection(1, clip);
  Put(root / "batched.ini", clipList);
  Put(root / "perkey.ini", clipList);
  const bool batched = contract::WriteClipSection(system.profile, (root / "batched.ini").u16string(), section);
  // Per key through a store of its own for every call: nothing kept from one call to the next.
  bool perKey = true;
  for (const auto& entry : section.entries) {
    platform::ProfileStore fresh(platform::NativeProfileFiles(), platform::NativeTextCodec());
    perKey = fresh.WriteString((root / "perkey.ini").u16string(), section.name, entry.key,
                               std::u16string_view(entry.value)) &&
             perKey;
  }
  if (batched != perKey || Get(root / "batched.ini") != Get(root / "perkey.ini")) std::abort();
  return 0;
}
