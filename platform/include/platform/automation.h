#pragma once
// OLE on the calling thread and out-of-process automation objects (COM). Windows: OleInitialize and
// CoCreateInstance of a local server, calls made through the object's function table. POSIX: OLE cannot
// be initialised and no object is created.
#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

// The HRESULT of an OLE string that could not be allocated.
inline constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000E);

struct LongAnswer {
  std::int32_t result = 0;  // the call's HRESULT; 0 is success
  std::int32_t value = 0;   // what the call set
};

// One interface of a created object; released when destroyed. Entries are counted from 1, with
// IUnknown's three entries as 1 to 3. Each call blocks until the server answers.
class AutomationObject {
 public:
  virtual ~AutomationObject() = default;
  // Calls entry `slot` with a newly allocated OLE string holding `text`, freed after the call. Returns
  // the HRESULT, or kOutOfMemory without calling when the string cannot be allocated.
  virtual std::int32_t CallWithString(int slot, std::u16string_view text) = 0;
  // Calls entry `slot` with a pointer to a 32-bit value that the call sets.
  virtual LongAnswer CallWithLongOut(int slot) = 0;
};

class Automation {
 public:
  virtual ~Automation() = default;
  // OleInitialize on this thread: true for S_OK and S_FALSE, and then one UninitializeOle is owed.
  virtual bool InitializeOle() = 0;
  virtual void UninitializeOle() = 0;
  // CoCreateInstance of a local server (execution context 4, no aggregation) by "{...}" class and
  // interface ids; nothing on failure. Needs OLE initialised; blocks while the server starts.
  virtual std::unique_ptr<AutomationObject> Create(std::u16string_view classId, std::u16string_view interfaceId) = 0;
};

}  // namespace platform
