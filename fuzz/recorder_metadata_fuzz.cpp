// Arbitrary bytes as a recorder's "Attribute.atr" and as a list file's text, in a heap block of exactly
// their size so that the sanitizers see any read past it. The attribute reader must leave a clip unchanged unless the bytes hold the whole fixed header;
// the folder numbers of a text must be those that one search per number finds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "attribute_file.h"
#include "description_text.h"
#include "folder_numbers_by_search.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

constexpr std::size_t kFixedHeaderBytes = 208;

void FuzzAttributeBytes(std::string_view bytes) {
  const bool applies = bytes.size() >= kFixedHeaderBytes && bytes.substr(0, 4) == "1000";
  for (int clipIndex : {0, 1, 2, 9}) {
    contract::ClipInfo clip;
    clip.tcIn = u"keep";
    clip.path = u"untouched";
    recorder::ApplyAttributeBytes(bytes, clip, clipIndex);
    Check(clip.path == u"untouched");
    Check(applies ? clip.tcIn != u"keep" && clip.clipAuthor.size() <= 8 : clip.tcIn == u"keep" && clip.length == 0);
  }
}

// Texts up to this length are also searched one number at a time, the slow trusted reading.
constexpr std::size_t kLongestComparedText = 512;

void FuzzDescriptionText(std::string_view text) {
  const std::vector<int> numbers = recorder::FolderNumbersIn(text);
  if (text.size() > kLongestComparedText) return;
  Check(numbers == vorlane::test::FolderNumbersBySearch(text, recorder::kFirstFolderNumber, recorder::kLastFolderNumber));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > recorder::kMetadataReadBytes) return 0;
  std::unique_ptr<char[]> bytes(new char[size == 0 ? 1 : size]);
  if (size != 0) std::memcpy(bytes.get(), data, size);
  const std::string_view view(bytes.get(), size);
  FuzzAttributeBytes(view);
  FuzzDescriptionText(view);
  return 0;
}
