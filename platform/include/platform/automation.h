#pragma once
// Out-of-process automation objects (COM). POSIX: not available.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
  // Calls the dual interface's function-table entry `slot` with one OLE string in and a long out.
  virtual std::optional<std::int32_t> CallStringToLong(int slot, std::u16string_view text) = 0;
};

class Automation {
 public:
  virtual ~Automation() = default;
  // CoCreateInstance of a local server by class id text ("{...}"); nothing when not available.
  virtual std::unique_ptr<AutomationObject> Create(std::u16string_view classId, std::u16string_view interfaceId) = 0;
};

}  // namespace platform
