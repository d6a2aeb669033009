#include <cstdio>

#include "platform/text.h"
#include "report.h"

namespace plugin_host {
namespace {

std::string Hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08X", value);
  return text;
}

}  // namespace

std::string ShowHostText(const std::string& bytes) {
  std::string shown;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) break;
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      shown.push_back(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\x%02X", byte);
      shown += escaped;
    }
  }
  return shown;
}

std::string TextReport(const HostOptions& options, const std::string& modulePath, const SessionResult& r) {
  std::string out = "module: " + modulePath + "\n";
  out += "exports:";
  for (const auto& symbol : r.exported) out += " " + symbol;
  out += "\n";
  if (r.startup) out += "Startup: " + std::to_string(*r.startup) + "\n";
  if (r.menuName) {
    out += "GetMenuName: " + std::to_string(r.menuName->result) + " name \"" + ShowHostText(r.menuName->buffer) +
           "\" available " + std::to_string(r.available) + "\n";
  }
  if (r.flags) out += "GetFlags: " + Hex32(*r.flags) + ((*r.flags & 0x08000000u) ? " (receive)\n" : " (send)\n");
  if (r.comment)
    out += "GetComment: " + std::to_string(r.comment->result) + " \"" + ShowHostText(r.comment->buffer) + "\"\n";
  if (r.destPath) out += "GetDestPath: " + std::to_string(*r.destPath) + "\n";
  if (r.execute) {
    out += "Execute";
    if (options.session == SessionKind::Send) out += " \"" + options.description + "\"";
    out += ": " + std::to_string(*r.execute) + "\n";
  }
  if (r.shutdown) out += "Shutdown: done\n";
  if (r.clipListRead) {
    if (!r.clipList) {
      out += "clip list: none\n";
    } else {
      out += "clip list: " + platform::Utf16ToUtf8(r.clipList->path) + "\n";
      for (const auto& section : r.clipList->sections) {
        out += "[" + platform::Utf16ToUtf8(section.name) + "]\n";
        for (const auto& entry : section.entries) {
          out += "  " + platform::Utf16ToUtf8(entry.key);
          if (entry.value) out += "=" + platform::Utf16ToUtf8(*entry.value);
          out += "\n";
        }
      }
    }
  }
  return out;
}

}  // namespace plugin_host
