#pragma once
// The hand-off's payloads built from a parsed export description.
#include "export_description_tree.h"
#include "handoff_payloads.h"
#include "platform/system.h"

namespace encoder {

// Refers to the description and the platform; both must outlive it.
class DescriptionPayloads final : public HandOffPayloads {
 public:
  DescriptionPayloads(platform::System& system, const ExportDescription& description)
      : system_(system), description_(description) {}

  std::size_t ObjectCount() const override;
  void WriteBatchFile(std::u16string_view executable) override;
  std::u16string LaunchCommandLine(EncoderKind kind, std::u16string_view executable) override;
  void FillDropFileList(std::span<std::uint8_t> block) override;
  std::vector<std::u16string> AutomationFiles(std::size_t index) override;

 private:
  platform::System& system_;
  const ExportDescription& description_;
};

}  // namespace encoder
