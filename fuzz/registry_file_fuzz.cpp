// Arbitrary bytes as a REGEDIT export, whole; and values decoded from the input written into an export
// behind arbitrary lines, in UTF-8 or UTF-16: every value must read back as written, and a buffer one
// byte short of a value must not read it.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/text.h"
#include "registry_file.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

class Input {
 public:
  explicit Input(std::string_view bytes) : bytes_(bytes) {}
  bool Empty() const { return bytes_.empty(); }
  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return b;
  }
  std::u16string Text(std::u16string_view letters, int most) {
    std::u16string text;
    for (int n = Byte() % (most + 1); n > 0; --n) text += letters[Byte() % letters.size()];
    return text;
  }

 private:
  std::string_view bytes_;
};

std::u16string Quoted(std::u16string_view text) {
  std::u16string out = u"\"";
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') out += u'\\';
    out += c;
  }
  return out + u"\"";
}

std::string Utf16Bytes(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
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
  Input input(bytes.substr(1 + lineBytes));

  // A comment line ends whatever continuation the arbitrary lines leave open.
  std::u16string text = u"REGEDIT4\r\n" + platform::Utf8ToUtf16(lines) + u"\r\n;\r\n";
  std::map<std::pair<std::u16string, std::u16string>, std::pair<std::u16string, std::u16string>> values;
  while (!input.Empty()) {
    std::u16string key = u"S" + input.Text(u"kK1 ", 3);
    for (int depth = input.Byte() % 3; depth > 0; --depth) key += u"\\" + input.Text(u"kK1", 2) + u"k";
    const std::u16string name = input.Text(u"nN\"\\ =", 4);
    const std::u16string value = input.Text(u"vV\"\\ =;[]@", 12);
    text += u"[HKEY_LOCAL_MACHINE\\" + key + u"]\r\n" + (name.empty() ? u"@" : Quoted(name)) + u"=" + Quoted(value) +
            u"\r\n";
    values[{platform::FoldedText(key), platform::FoldedText(name)}] = {key, value};
  }
  const platform::RegistryFile registry =
      platform::RegistryFile::Parse(data[0] & 1 ? Utf16Bytes(text) : platform::Utf16ToUtf8(text));
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
