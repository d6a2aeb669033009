#pragma once
// One session with a plug-in in the host's calling order, and what each entry point returned.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clip_list_reader.h"
#include "options.h"
#include "plugin_module.h"

namespace plugin_host {

// A text buffer handed to GetMenuName or GetComment: `size` bytes, filled with kGuardByte before the
// call, so that bytes the plug-in left alone can be told from the ones it wrote.
inline constexpr unsigned char kGuardByte = 0xCC;
// The available flag before GetMenuName; a plug-in that does not write it leaves this value.
inline constexpr std::int32_t kAvailableUntouched = -1;

struct TextCall {
  std::int32_t result = 0;
  std::string buffer;  // the whole buffer after the call (empty when the size was 0 or below)
};

struct TraceLine {
  int category = 0;
  int level = 0;
  std::string text;  // UTF-8, as formatted
};

struct SessionResult {
  std::vector<std::string> exported;
  std::optional<std::int32_t> startup;
  std::optional<TextCall> menuName;
  std::int32_t available = kAvailableUntouched;
  std::optional<std::uint32_t> flags;
  std::optional<TextCall> comment;
  std::optional<std::int32_t> destPath;
  std::optional<std::int32_t> execute;
  bool shutdown = false;
  bool clipListRead = false;       // receive sessions look for the clip list
  std::optional<ClipList> clipList;
  std::vector<TraceLine> traces;   // traces up to the trace level
};

// Drives the session on a plug-in whose entry points are all bound; blocks while the plug-in works.
// `moduleDirectory` is where the receive session looks for the clip list.
SessionResult RunSession(const HostOptions& options, const EntryPoints& entry, const std::u16string& moduleDirectory);

}  // namespace plugin_host
