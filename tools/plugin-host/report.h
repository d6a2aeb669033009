#pragma once
// What plugin-host prints on standard output after a session: readable lines, or one JSON document.
#include <string>

#include "options.h"
#include "session.h"

namespace plugin_host {

std::string TextReport(const HostOptions& options, const std::string& modulePath, const SessionResult& result);
std::string JsonReport(const HostOptions& options, const std::string& modulePath, const SessionResult& result);

// UTF-8 text as a JSON string, quotes included.
std::string JsonString(const std::string& utf8);

// 8-bit host text up to its first zero byte; bytes outside printable ASCII as "\xNN".
std::string ShowHostText(const std::string& bytes);

}  // namespace plugin_host
