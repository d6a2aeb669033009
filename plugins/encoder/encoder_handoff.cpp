#include "encoder_handoff.h"

#include <algorithm>
#include <string>

#include "description_reader.h"
#include "encoder_payloads.h"
#include "description_payloads.h"
#include "find_encoder.h"
#include "handoff.h"
#include "platform/limits.h"
#include "platform/processor_faults.h"
#include "platform/text.h"

namespace encoder {
namespace {

// Releases the tree whatever way the send ends.
class DescriptionScope {
 public:
  DescriptionScope() = default;
  DescriptionScope(const DescriptionScope&) = delete;
  DescriptionScope& operator=(const DescriptionScope&) = delete;
  ~DescriptionScope() { ClearDescription(description); }
  ExportDescription description;
};

}  // namespace

std::int32_t HandOff(platform::System& system, const char* path) {
  // The host's text is read no further than it was found readable: the conversion works on a copy of
  // at most 260 bytes, and a copy without a terminator among them is a path of 260 bytes or more.
  if (!platform::ReadableText(path, platform::kWideBufferChars)) return 0;
  const std::string hostText(path, std::find(path, path + platform::kWideBufferChars, '\0'));
  const EncoderInfo encoder = FindEncoder(system);
  if (encoder.executable.empty()) return 0;

  // One character more than a path may hold, so that a path of 260 bytes or more is refused, not cut.
  const std::u16string descriptionPath = platform::MultiByteToWide(hostText.c_str(), platform::kWideBufferChars);
  DescriptionScope scope;
  if (hostText.size() == platform::kWideBufferChars || !platform::WithinPathLimit(descriptionPath) ||
      !ParseQuessaFile(system, descriptionPath, &scope.description)) {
    return 0;
  }
  DescriptionPayloads payloads(system, scope.description);
  return HandOffToEncoder(system, encoder, payloads) ? 1 : 0;
}

}  // namespace encoder
