#pragma once
// The command line of plugin-host.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plugin_host {

enum class SessionKind { Info, Send, Receive };

struct HostOptions {
  SessionKind session = SessionKind::Info;
  std::string module;                     // as given on the command line
  std::string description;                // send: the export description file's path
  std::optional<std::string> registry;    // POSIX registry file
  std::optional<std::string> renderDir;   // what QueryDefaultRenderPath reports; absent: it fails
  std::optional<std::string> appDir;      // the host application's default directory; absent: no object
  std::vector<std::string> open;          // answer of the next file dialog
  std::optional<std::uint32_t> filter;    // filter index that dialog ends with
  std::optional<std::string> folder;      // answer of the next folder browser
  bool cancel = false;                    // the next dialog is cancelled
  std::optional<int> traceLevel;          // host traces up to this level on standard error
  std::int32_t nameSize = 256;            // buffer size for GetMenuName and GetComment
  bool json = false;
};

struct ParsedOptions {
  std::optional<HostOptions> options;  // absent: `error` says why in one line
  std::string error;
  bool help = false;
};

ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

// A whole decimal number that fills `text`.
template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && at == end && !text.empty();
}

// The usage text, several lines.
const char* UsageText();

}  // namespace plugin_host
