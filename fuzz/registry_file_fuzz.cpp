// Arbitrary bytes as a REGEDIT export, whole; and values decoded from the input written into an export
// behind arbitrary lines, in UTF-8 or UTF-16: every value must read back as written, and a buffer one
// byte short of a value must not read it.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz_input.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "registry_file.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const platform::RegistryFile whole = platform::RegistryFile::Parse(bytes);
  const platform::RegistryValue any = whole.Read(u"Software", u"a", 1 << 16);
  Check(any.keyOpened || !any.valueRead);
  if (size < 2) return 0;

  // The first byte gives the length of the arbitrary lines and the file's encoding.
  const std::size_t lineBytes = std::min<std::size_t>(data[0] >> 1, size - 1);
  std::string lines(bytes.substr(1, lineBytes));
  std::erase(lines, '\0');
  vorlane::fuzz::Input input(bytes.substr(1 + lineBytes));

  // A comment line ends whatever continuation the arbitrary lines leave open.
  std::u16string text = u"REGEDIT4\r\n" + platform::Utf8ToUtf16(lines) + u"\r\n;\r\n";
  std::map<std::pair<std::u16string, std::u16string>, std::pair<std::u16string, std::u16string>> values;
  while (!input.Empty()) {
    std::u16string key = u"S" + input.Text(u"kK1 ", 3);
    for (int depth = input.Byte() % 3; depth > 0; --depth) key += u"\\" + input.Text(u"kK1", 2) + u"k";
    const std::u16string name = input.Text(u"nN\"\\ =", 4);
    const std::u16string value = input.Text(u"vV\"\\ =;[]@", 12);
    text += u"[HKEY_LOCAL_MACHINE\\" + key + u"]\r\n" + platform::RegistryNameText(name) + u"=" + platform::RegistryQuoted(value) +
            u"\r\n";
    values[{platform::FoldedText(key), platform::FoldedText(name)}] = {key, value};
  }
  const platform::RegistryFile registry =
      platform::RegistryFile::Parse(platform::EncodeText(
          text, data[0] & 1 ? platform::TextEncoding::Utf16Le : platform::TextEncoding::Utf8Bom, (data[0] & 3) != 0));
  for (const auto& [names, entry] : values) {
    const auto& [key, value] = entry;
    const std::optional<std::u16string_view> name =
        names.second.empty() ? std::nullopt : std::optional<std::u16string_view>(names.second);
    const std::size_t needed = (value.size() + 1) * 2;
    const platform::RegistryValue read = registry.Read(key, name, needed);
    Check(read.keyOpened && read.valueRead && read.text == value);
    Check(!registry.Read(key, name, needed - 1).valueRead);
  }
  return 0;
}
