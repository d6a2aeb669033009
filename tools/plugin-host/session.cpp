#include "session.h"

#include <cstdio>
#include <string_view>

#include "hostlib/standin.h"

namespace plugin_host {
namespace {

struct TraceCollector {
  int level = 0;
  std::vector<TraceLine>* lines = nullptr;
};

void OnTrace(int category, int level, const char* utf8Line, void* context) {
  const auto& collector = *static_cast<TraceCollector*>(context);
  if (level > collector.level) return;
  std::string_view text = utf8Line != nullptr ? utf8Line : "";
  collector.lines->push_back({category, level, std::string(text)});
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  std::fprintf(stderr, "trace %d/%d: %.*s\n", category, level, static_cast<int>(text.size()), text.data());
}

template <typename Call>
TextCall CallWithBuffer(std::int32_t size, Call call) {
  TextCall result;
  // One spare byte, so that a size of 0 or below still passes a valid pointer.
  std::string buffer(static_cast<std::size_t>(size > 0 ? size : 0) + 1, static_cast<char>(kGuardByte));
  result.result = call(buffer.data(), size);
  buffer.pop_back();
  result.buffer = std::move(buffer);
  return result;
}

}  // namespace

SessionResult RunSession(const HostOptions& options, const EntryPoints& entry, const std::u16string& moduleDirectory) {
  SessionResult result;
  TraceCollector collector{options.traceLevel.value_or(-1), &result.traces};
  if (options.traceLevel) CorvanaStandInSetTraceSink(&OnTrace, &collector);

  result.startup = entry.startup();
  result.menuName = CallWithBuffer(options.nameSize, [&](char* buffer, std::int32_t size) {
    return entry.getMenuName(buffer, size, &result.available);
  });
  switch (options.session) {
    case SessionKind::Info:
      result.flags = entry.getFlags();
      if (entry.getComment != nullptr) {
        result.comment = CallWithBuffer(options.nameSize, [&](char* buffer, std::int32_t size) {
          return entry.getComment(buffer, size);
        });
      } else if (entry.getDestPath3 != nullptr) {
        result.destPath = entry.getDestPath3(0, 0, 0);
      } else {
        result.destPath = entry.getDestPath2(0, 0);
      }
      break;
    case SessionKind::Send:
      result.execute = entry.execute(options.description.c_str());
      break;
    case SessionKind::Receive:
      // The argument is never read by a receive plug-in; it gets an empty text.
      result.execute = entry.execute("");
      break;
  }
  entry.shutdown();
  result.shutdown = true;
  CorvanaStandInSetTraceSink(nullptr, nullptr);

  if (options.session == SessionKind::Receive) {
    result.clipListRead = true;
    result.clipList = ReadClipListBeside(moduleDirectory);
  }
  return result;
}

}  // namespace plugin_host
