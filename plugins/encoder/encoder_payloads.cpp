#include "encoder_payloads.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/limits.h"
#include "platform/path.h"
#include "platform/text.h"

namespace encoder {
namespace {

constexpr std::u16string_view kBatchFileName = u"QN.TXT";
constexpr std::u16string_view kBatchSection = u"batch";
constexpr std::u16string_view kFilesSection = u"files";

// The top-level objects that are handed on: `objectCount` of them, never more than the list holds.
std::span<const std::unique_ptr<ExportObject>> HandedOn(const ExportDescription& description) {
  const auto count = static_cast<std::size_t>(std::max<std::int32_t>(description.objectCount, 0));
  return std::span(description.objects).first(std::min(count, description.objects.size()));
}

// The short form of the object's primary media file; nothing when it has none or the platform cannot
// give one, so that no earlier object's form stands in for it.
std::optional<std::u16string> ShortForm(platform::Files& files, std::u16string_view path) {
  if (!platform::WithinPathLimit(path)) return std::nullopt;
  std::optional<std::u16string> form = files.ShortPath(path);
  if (!form || !platform::WithinPathLimit(*form)) return std::nullopt;
  return form;
}

std::optional<std::u16string> ShortFormOf(platform::Files& files, const ExportObject& object) {
  const std::optional<std::u16string_view> media = PrimaryMediaPath(object);
  if (!media) return std::nullopt;
  return ShortForm(files, *media);
}

// A form with a blank would reach the encoder as two arguments; a short form normally has none, and those
// stay as they were.
std::u16string CommandLineArgument(std::u16string form) {
  if (form.find(u' ') == std::u16string::npos) return form;
  return u"\"" + form + u"\"";
}

void PutUint32(std::span<std::uint8_t> block, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool IsWholeFileFormat(std::u16string_view extension) {
  static constexpr std::array<std::u16string_view, 5> kExtensions = {u".DV", u".DIF", u".M2V", u".2VUY", u".YUV"};
  return std::any_of(kExtensions.begin(), kExtensions.end(),
                     [&](std::u16string_view known) { return platform::EqualsNoCase(extension, known); });
}

std::u16string_view ExtensionOf(std::u16string_view fileName) {
  const std::size_t dot = fileName.rfind(u'.');
  return dot == std::u16string_view::npos ? std::u16string_view{} : fileName.substr(dot);
}

}  // namespace

bool WriteBatchFile(platform::System& system, std::u16string_view executable, const ExportDescription& description) {
  const std::u16string separator(1, platform::PathSeparator());
  const std::u16string batchFile = DirectoryOf(executable) + separator + std::u16string(kBatchFileName);

  const std::u16string name = std::u16string(executable) + separator + u"QN";
  std::vector<std::u16string> files;
  const auto objects = HandedOn(description);
  for (std::size_t n = 1; n <= objects.size(); ++n) {
    if (const auto media = PrimaryMediaPath(*objects[n - 1])) {
      files.push_back(u"file" + platform::FormatInt(static_cast<long long>(n)) + u"=" + std::u16string(*media));
    }
  }
  const bool named = system.profile.WriteString(batchFile, kBatchSection, u"name", name);
  // One section write replaces every key of an earlier, longer batch and appends the new keys without
  // looking each one up, so the file is written once for any number of objects. It leaves the file that
  // emptying the section and then writing the keys one by one would leave.
  return system.profile.WriteSection(batchFile, kFilesSection, files) && named;
}

std::u16string BuildLaunchCommandLine(platform::Files& files, EncoderKind kind, std::u16string_view executable,
                                      const ExportDescription& description) {
  const auto objects = HandedOn(description);
  const EncoderKindFacts* facts = FactsOf(kind);
  if (facts == nullptr || facts->delivery != Delivery::CommandLineWhenStarted || objects.empty()) return {};

  std::u16string line = CommandLineArgument(ShortForm(files, executable).value_or(std::u16string(executable)));
  line += u' ';
  for (std::size_t i = 0; i < objects.size() && line.size() < kHandOffChars; ++i) {
    const std::optional<std::u16string> form = ShortFormOf(files, *objects[i]);
    if (!form) continue;
    const std::u16string argument = CommandLineArgument(*form);
    // A form that does not fit is skipped; a shorter one after it may still fit.
    if (line.size() + argument.size() >= kHandOffChars) continue;
    line += argument;
    if (i + 1 < objects.size()) line += u' ';
  }
  // Objects left out at the end leave no blank behind the last argument.
  if (line.back() == u' ') line.pop_back();
  return line;
}

bool BuildDropFileList(platform::Files& files, const ExportDescription& description, std::span<std::uint8_t> block) {
  if (block.size() < kDropFileListBytes) return false;
  std::fill_n(block.begin(), kDropFileListBytes, std::uint8_t{0});
  PutUint32(block, 0, kDropFileListOffset);
  PutUint32(block, 4, 10);
  PutUint32(block, 8, 10);
  PutUint32(block, 12, 0);
  PutUint32(block, 16, 1);

  std::size_t used = 0;  // characters of the list, each entry with its terminator
  for (const std::unique_ptr<ExportObject>& object : HandedOn(description)) {
    const std::optional<std::u16string> form = ShortFormOf(files, *object);
    if (!form) continue;
    // The first entry that does not fit ends the list: a reader stops at the gap it would leave.
    if (used + form->size() >= kHandOffChars) break;
    std::size_t at = kDropFileListOffset + 2 * used;
    for (char16_t c : *form) {
      block[at++] = static_cast<std::uint8_t>(c & 0xFF);
      block[at++] = static_cast<std::uint8_t>(c >> 8);
    }
    used += form->size() + 1;
  }
  return true;
}

std::vector<std::u16string> AutomationFileSequence(const ExportObject& object) {
  std::vector<std::u16string> files;
  if (!object.mediaVideo.empty()) files.push_back(object.mediaVideo);
  if (IsWholeFileFormat(ExtensionOf(platform::FileNamePart(object.mediaVideo)))) return files;
  for (const std::u16string* audio : {&object.mediaAudio1, &object.mediaAudio2, &object.mediaAudio3, &object.mediaAudio4}) {
    if (!audio->empty()) files.push_back(*audio);
  }
  return files;
}

}  // namespace encoder
