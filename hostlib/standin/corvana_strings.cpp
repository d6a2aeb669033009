// Stand-in Corvana: string resources of the calling module.
#include <string>

#include "hostlib/corvana.h"
#include "platform/string_resources.h"

namespace {
// Holds the last string handed out; the caller may keep the pointer until the next call.
std::u16string& LastString() {
  static std::u16string text;
  return text;
}
}  // namespace

extern "C" CORVANA_API const char16_t* LoadHostString(void* module, std::uint32_t id) {
  std::u16string& text = LastString();
  try {
    text = platform::LoadModuleString(module, id).value_or(std::u16string());
  } catch (...) {
    text.clear();
  }
  return text.c_str();
}
