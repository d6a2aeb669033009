// Stand-in Corvana: the trace, handed line by line to the sink that the stand-in host sets.
#include <cstdarg>

#include "hostlib/corvana.h"
#include "hostlib/standin.h"
#include "platform/text.h"
#include "trace_format.h"

namespace {
struct TraceSink {
  HostTraceSink sink = nullptr;
  void* context = nullptr;
};
TraceSink& CurrentSink() {
  static TraceSink sink;
  return sink;
}
}  // namespace

extern "C" CORVANA_API void CorvanaStandInSetTraceSink(HostTraceSink sink, void* context) {
  CurrentSink() = TraceSink{sink, context};
}

extern "C" CORVANA_API void HostTrace(int category, int level, const char16_t* format, ...) {
  const TraceSink sink = CurrentSink();
  if (sink.sink == nullptr) return;
  va_list args;
  va_start(args, format);
  try {
    const std::string line = platform::Utf16ToUtf8(hostlib_standin::FormatTrace(format, args));
    va_end(args);
    sink.sink(category, level, line.c_str(), sink.context);
  } catch (...) {
    va_end(args);
  }
}
