#include <cstdio>

#include "report.h"

namespace plugin_host {
namespace {

void AppendEscaped(std::string& out, char32_t c) {
  char escaped[8];
  std::snprintf(escaped, sizeof(escaped), "\\u%04X", static_cast<unsigned>(c));
  out += escaped;
}

// 8-bit host text: each byte is the code unit of the same value, as in the "C" locale.
std::string JsonHostText(const std::string& bytes) {
  std::string out = "\"";
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0) break;
    if (byte == '"' || byte == '\\') out += {'\\', c};
    else if (byte < 0x20 || byte >= 0x7F) AppendEscaped(out, byte);
    else out.push_back(c);
  }
  return out + "\"";
}

std::string JsonText(const std::u16string& text) {
  std::string out = "\"";
  for (char16_t c : text) {
    if (c == u'"' || c == u'\\') out += {'\\', static_cast<char>(c)};
    else if (c < 0x20 || c >= 0x7F) AppendEscaped(out, c);
    else out.push_back(static_cast<char>(c));
  }
  return out + "\"";
}

std::string JsonText(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '"' || byte == '\\') out += {'\\', c};
    else if (byte < 0x20) AppendEscaped(out, byte);
    else out.push_back(c);
  }
  return out + "\"";
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char pair[4];
  for (char c : bytes) {
    std::snprintf(pair, sizeof(pair), "%02x", static_cast<unsigned char>(c));
    out += pair;
  }
  return out;
}

std::string TextCallJson(const std::optional<TextCall>& call, const std::string& extra = "") {
  if (!call) return "null";
  return "{\"result\": " + std::to_string(call->result) + extra + ", \"text\": " + JsonHostText(call->buffer) +
         ", \"hex\": \"" + Hex(call->buffer) + "\"}";
}

template <typename T>
std::string NumberOrNull(const std::optional<T>& value) {
  return value ? std::to_string(*value) : "null";
}

const char* SessionName(SessionKind kind) {
  switch (kind) {
    case SessionKind::Info: return "info";
    case SessionKind::Send: return "send";
    case SessionKind::Receive: return "receive";
  }
  return "";
}

}  // namespace

std::string JsonString(const std::string& utf8) { return JsonText(utf8); }

std::string JsonReport(const HostOptions& options, const std::string& modulePath, const SessionResult& r) {
  std::string out = "{\n";
  out += "  \"session\": \"" + std::string(SessionName(options.session)) + "\",\n";
  out += "  \"module\": " + JsonText(modulePath) + ",\n";
  out += "  \"exports\": [";
  for (std::size_t i = 0; i < r.exported.size(); ++i) out += (i ? ", " : "") + JsonText(r.exported[i]);
  out += "],\n";
  out += "  \"nameSize\": " + std::to_string(options.nameSize) + ",\n";
  out += "  \"Startup\": " + NumberOrNull(r.startup) + ",\n";
  out += "  \"GetMenuName\": " + TextCallJson(r.menuName, ", \"available\": " + std::to_string(r.available)) + ",\n";
  out += "  \"GetFlags\": " + NumberOrNull(r.flags) + ",\n";
  if (r.flags) {
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%08X", *r.flags);
    out += "  \"flagsHex\": \"" + std::string(hex) + "\",\n";
  }
  out += "  \"GetComment\": " + TextCallJson(r.comment) + ",\n";
  out += "  \"GetDestPath\": " + NumberOrNull(r.destPath) + ",\n";
  out += "  \"Execute\": " + NumberOrNull(r.execute) + ",\n";
  out += "  \"Shutdown\": " + std::string(r.shutdown ? "true" : "false") + ",\n";
  out += "  \"traces\": [";
  for (std::size_t i = 0; i < r.traces.size(); ++i) {
    const auto& t = r.traces[i];
    out += std::string(i ? "," : "") + "\n    {\"category\": " + std::to_string(t.category) +
           ", \"level\": " + std::to_string(t.level) + ", \"text\": " + JsonText(t.text) + "}";
  }
  out += r.traces.empty() ? "],\n" : "\n  ],\n";
  out += "  \"clipList\": ";
  if (!r.clipList) {
    out += "null\n";
  } else {
    out += "{\n    \"path\": " + JsonText(r.clipList->path) + ",\n    \"sections\": [";
    for (std::size_t s = 0; s < r.clipList->sections.size(); ++s) {
      const auto& section = r.clipList->sections[s];
      out += std::string(s ? "," : "") + "\n      {\"name\": " + JsonText(section.name) + ", \"entries\": [";
      for (std::size_t e = 0; e < section.entries.size(); ++e) {
        const auto& entry = section.entries[e];
        out += std::string(e ? ", " : "") + "{\"key\": " + JsonText(entry.key) +
               ", \"value\": " + (entry.value ? JsonText(*entry.value) : "null") + "}";
      }
      out += "]}";
    }
    out += r.clipList->sections.empty() ? "]\n  }\n" : "\n    ]\n  }\n";
  }
  return out + "}\n";
}

}  // namespace plugin_host
