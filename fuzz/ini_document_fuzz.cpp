// Arbitrary bytes as an ini file, then a run of reads, writes and deletes decoded from the input, all in
// memory. After every call the store that keeps the file must answer as a store that reads it afresh,
// and every key the run wrote reads back as written until the run deletes it or its section.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "platform/fake/memory_files.h"
#include "platform/text.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

constexpr std::u16string_view kFile = u"/m/profile.ini";
constexpr std::uint32_t kReadChars = 200;

// A name the model can track: no blanks at its ends, nothing a line's syntax uses. Few letters, so that
// names meet each other and the file's own, in either case.
std::u16string Name(vorlane::fuzz::Input& input) {
  constexpr std::u16string_view kLetters = u"aAbB1_";
  return kLetters[input.Byte() % kLetters.size()] + input.Text(kLetters, 2);
}

// A value that reads back as written: no line end, no quotes or blanks at its ends.
std::u16string Value(vorlane::fuzz::Input& input) {
  std::u16string value = input.Text(u"xY9 =;[]\"", 5);
  return value.empty() ? value : u"v" + value + u"w";
}

std::string_view Mark(std::string_view bytes) {
  for (std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
    if (bytes.starts_with(mark)) return mark;
  return {};
}

using Key = std::pair<std::u16string, std::u16string>;  // folded section and key

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes give the file's length; the rest after it are the calls.
  const std::size_t fileBytes = (static_cast<std::size_t>(data[0]) << 8 | data[1]) % (size - 1);
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  const std::string_view file = bytes.substr(0, fileBytes);
  vorlane::fuzz::Input input(bytes.substr(fileBytes));

  platform::fake::MemoryFiles files;
  files.AddFolder(u"/m");
  files.Put(kFile, file);
  const std::unique_ptr<platform::Profile> store = platform::fake::MakeMemoryProfile(files);
  std::map<Key, std::pair<std::u16string, std::u16string>> written;  // -> section as given, value

  for (int calls = 0; !input.Empty() && calls < 64; ++calls) {
    const std::uint8_t kind = input.Byte() % 6;
    const std::u16string section = Name(input);
    const std::u16string key = Name(input);
    const Key folded{platform::FoldedText(section), platform::FoldedText(key)};
    const std::string before = *files.Get(kFile);
    bool ok = true;
    switch (kind) {
      case 0:
      case 1: {
        const std::u16string value = Value(input);
        ok = store->WriteString(kFile, section, key, std::u16string_view(value));
        if (ok) written[folded] = {section, value};
        break;
      }
      case 2:
        ok = store->WriteString(kFile, section, key, std::nullopt);
        if (ok) written.erase(folded);
        break;
      case 3:
        ok = store->WriteSection(kFile, section, std::nullopt);
        if (ok) std::erase_if(written, [&](const auto& w) { return w.first.first == folded.first; });
        break;
      case 4: {
        std::vector<std::u16string> entries;
        std::vector<std::pair<std::u16string, std::u16string>> keys;
        for (int n = input.Byte() % 4; n > 0; --n) {
          keys.emplace_back(Name(input), Value(input));
          entries.push_back(keys.back().first + u"=" + keys.back().second);
        }
        ok = store->WriteSection(kFile, section, entries);
        if (!ok) break;
        std::erase_if(written, [&](const auto& w) { return w.first.first == folded.first; });
        // The first of two equal names is the one a read finds.
        for (const auto& [name, value] : keys) written.try_emplace({folded.first, platform::FoldedText(name)}, section, value);
        break;
      }
      default: {
        const std::u16string value = Value(input);
        ok = store->WriteBatch(kFile, {{section, key, value}, {section, key + u"1", std::nullopt}});
        if (ok) {
          written[folded] = {section, value};
          written.erase({folded.first, platform::FoldedText(key + u"1")});
        }
        break;
      }
    }
    if (!ok) Check(*files.Get(kFile) == before);
    // Blanks dropped in front of bytes that form a byte order mark make the whole file read in that
    // encoding from then on, as with the platform's own profile functions: what was written is gone.
    if (Mark(*files.Get(kFile)) != Mark(before)) written.clear();

    // The kept store and a fresh one agree, on what the run wrote and on the name just used.
    const std::unique_ptr<platform::Profile> fresh = platform::fake::MakeMemoryProfile(files);
    const auto same = [&](std::u16string_view s, std::u16string_view k) {
      const platform::ProfileString kept = store->ReadString(kFile, s, k, u"-", kReadChars);
      const platform::ProfileString afresh = fresh->ReadString(kFile, s, k, u"-", kReadChars);
      Check(kept.value == afresh.value && kept.count == afresh.count);
      return kept.value;
    };
    same(section, key);
    for (const auto& [names, entry] : written) Check(same(entry.first, names.second) == entry.second);
  }
  return 0;
}
