// POSIX: the registry is a REGEDIT export file; started programs get their arguments split from the line.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/standin_host.h"
#include "platform/text.h"
#include "test_host.h"

namespace vorlane::test {
namespace {

std::string Escaped(const std::u16string& text) {
  std::string out;
  for (char c : platform::Utf16ToUtf8(text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

TestRegistry::TestRegistry(const TempDir& dir) : file_(dir.Join(u"registry.reg")) {
  setenv(platform::kRegistryFileVariable, platform::Utf16ToUtf8(file_).c_str(), 1);
}

TestRegistry::~TestRegistry() { unsetenv(platform::kRegistryFileVariable); }

void TestRegistry::Set(const std::u16string& key, const std::u16string& name, const std::u16string& value) {
  values_[{key, name}] = value;
  std::string text = "Windows Registry Editor Version 5.00\r\n";
  for (const auto& [at, data] : values_) {
    text += "\r\n[HKEY_LOCAL_MACHINE\\" + platform::Utf16ToUtf8(at.first) + "]\r\n";
    text += "\"" + Escaped(at.second) + "\"=\"" + Escaped(data) + "\"\r\n";
  }
  std::ofstream(std::filesystem::path(file_), std::ios::binary | std::ios::trunc) << text;
}

void SetEnvironment(const char* name, const std::u16string& value) {
  setenv(name, platform::Utf16ToUtf8(value).c_str(), 1);
}

// Enough of the Windows argument rules for a player line: blanks split until the opening quote, whose
// argument runs to the end of the line.
std::string ExpectedStartRecord(const std::u16string& commandLine) {
  const std::string line = platform::Utf16ToUtf8(commandLine);
  const std::size_t quote = line.find('"');
  std::string record;
  std::size_t at = 0;
  while (at < quote) {
    const std::size_t blank = std::min(line.find(' ', at), quote);
    if (blank > at) record += line.substr(at, blank - at) + "\n";
    at = blank + 1;
  }
  if (quote != std::string::npos) record += line.substr(quote + 1) + "\n";
  return record;
}

}  // namespace vorlane::test
