#include "description_payloads.h"

#include <algorithm>

namespace encoder {

// `objectCount` objects, never more than the list holds.
std::size_t DescriptionPayloads::ObjectCount() const {
  const auto count = static_cast<std::size_t>(std::max<std::int32_t>(description_.objectCount, 0));
  return std::min(count, description_.objects.size());
}

void DescriptionPayloads::WriteBatchFile(std::u16string_view executable) {
  encoder::WriteBatchFile(system_, executable, description_);
}

std::u16string DescriptionPayloads::LaunchCommandLine(EncoderKind kind, std::u16string_view executable) {
  return BuildLaunchCommandLine(system_.files, kind, executable, description_);
}

void DescriptionPayloads::FillDropFileList(std::span<std::uint8_t> block) {
  BuildDropFileList(system_.files, description_, block);
}

std::vector<std::u16string> DescriptionPayloads::AutomationFiles(std::size_t index) {
  return AutomationFileSequence(*description_.objects.at(index));
}

}  // namespace encoder
