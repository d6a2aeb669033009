#pragma once
// What the hand-off delivers of a parsed export: the payloads, each built on demand for one encoder.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "encoder_payloads.h"
#include "find_encoder.h"

namespace encoder {

class HandOffPayloads {
 public:
  virtual ~HandOffPayloads() = default;
  // The top-level objects of the export.
  virtual std::size_t ObjectCount() const = 0;
  // "QN.TXT" beside the Cleaner 5 executable.
  virtual void WriteBatchFile(std::u16string_view executable) = 0;
  // The command line a started encoder gets (empty for every kind but Media Cleaner Pro).
  virtual std::u16string LaunchCommandLine(EncoderKind kind, std::u16string_view executable) = 0;
  // Writes the dropped-files block into a zero-filled block of kDropFileListBytes.
  virtual void FillDropFileList(std::span<std::uint8_t> block) = 0;
  // The files the automation object receives for the object at `index` (from 0), in order.
  virtual std::vector<std::u16string> AutomationFiles(std::size_t index) = 0;
};

}  // namespace encoder
