// Arbitrary bytes as a Sorrend clip description file and as an existing clip list, through the
// re-import and the clip list merge, all in memory. The merge must equal one profile write per key,
// byte for byte, and a flag may be consumed only for a clip that the clip list holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "contract/clip_list.h"
#include "host_services.h"
#include "platform/fake/fake_system.h"
#include "platform/fake/memory_files.h"
#include "platform/text.h"
#include "reimport.h"

namespace {

class FuzzHost : public sorrend::HostServices {
 public:
  std::optional<std::u16string> DefaultRenderPath() override { return u"/m/render/"; }
  std::optional<std::u16string> ApplicationDirectory() override { return std::nullopt; }
  bool FileExists(const std::u16string&) override { return true; }
};

constexpr std::u16string_view kFuzzed = u"/m/render/Dovrel/b.SRB";
constexpr std::u16string_view kClipList = u"/m/plugins/Vorlane.INI";

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte splits the rest into the description file and the existing clip list.
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t cut = rest.size() * data[0] / 255;
  const std::string_view srb = rest.substr(0, cut);
  const std::string_view clipList = rest.substr(cut);

  platform::fake::MemoryFiles files;
  files.AddFolder(u"/m/render/Dovrel");
  files.AddFolder(u"/m/plugins");
  // A modified clip ahead of the fuzzed bytes makes sure the merge runs even when they hold no clip.
  files.Put(u"/m/render/Dovrel/a.SRB", "[CLIP 0]\r\n__MODIFIED=1\r\nPATH=p\r\nFILENAME=f\r\n");
  files.Put(kFuzzed, srb);
  files.Put(kClipList, clipList);
  const std::unique_ptr<platform::Profile> profile = platform::fake::MakeMemoryProfile(files);
  platform::System system = platform::fake::MakeSystem({.profile = profile.get(), .files = &files});
  const bool fuzzedModified = platform::fake::MakeMemoryProfile(files)->ReadInt(kFuzzed, u"Clip 0", u"__MODIFIED", 0) != 0;
  FuzzHost host;
  const int listed = sorrend::ReimportEditedAudio(system, host, u"/m/plugins/Sorrend.so");
  Check(listed >= 1 && listed <= 2);
  // A flag is consumed only for a clip the clip list holds: the sure clip comes first in search order.
  const std::unique_ptr<platform::Profile> fresh = platform::fake::MakeMemoryProfile(files);
  const bool fuzzedConsumed = fuzzedModified && fresh->ReadInt(kFuzzed, u"Clip 0", u"__MODIFIED", 1) == 0;
  const bool sureConsumed = fresh->ReadInt(u"/m/render/Dovrel/a.SRB", u"Clip 0", u"__MODIFIED", 1) == 0;
  Check(!fuzzedConsumed || listed == 2);
  if (sureConsumed) Check(fresh->ReadString(kClipList, u"CLIP0", u"FILENAME", u"", 10).value == u"f");

  // The same merge once more, batched and per key, on copies of the fuzzed clip list.
  // A value read from a profile never holds a line end or a zero.
  std::u16string name = platform::Utf8ToUtf16(srb.substr(0, 300));
  std::erase_if(name, [](char16_t c) { return c == u'\r' || c == u'\n' || c == u'\0'; });
  contract::ReimportedClip clip{u"p/", u"f", u"", u"", u"", u"", name};
  const contract::ClipSection section = contract::ReimportedClipSection(1, clip);
  files.Put(u"/m/batched.ini", clipList);
  files.Put(u"/m/perkey.ini", clipList);
  files.AddFolder(u"/m");
  const bool batched = contract::WriteClipSection(*profile, u"/m/batched.ini", section);
  // Per key through a store of its own for every call: nothing kept from one call to the next.
  bool perKey = true;
  for (const auto& entry : section.entries) {
    perKey = platform::fake::MakeMemoryProfile(files)->WriteString(u"/m/perkey.ini", section.name, entry.key,
                                                                   std::u16string_view(entry.value)) &&
             perKey;
  }
  Check(batched == perKey && *files.Get(u"/m/batched.ini") == *files.Get(u"/m/perkey.ini"));
  return 0;
}
