// POSIX: the test registry is a REGEDIT export file named by the stand-in host's variable.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/standin_host.h"
#include "temp_dir.h"
#include "test_registry.h"

namespace vorlane::test {

struct TestRegistry::State {
  TempDir dir;
  std::optional<std::string> previous;
  std::map<std::u16string, std::map<std::u16string, std::u16string>> keys;  // key -> name line -> data

  void Write() {
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n";
    for (const auto& [key, values] : keys) {
      text += u"\r\n[HKEY_LOCAL_MACHINE\\" + key + u"]\r\n";
      for (const auto& [name, data] : values) text += name + u"=" + data + u"\r\n";
    }
    // UTF-16LE with its BOM, as regedit exports.
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    dir.WriteFile(u"registry.reg", bytes);
  }
};

namespace {

std::u16string Quoted(const std::u16string& text) {
  std::u16string out = u"\"";
  for (char16_t c : text) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  return out + u"\"";
}

std::u16string NameOf(const std::optional<std::u16string>& name) { return name ? Quoted(*name) : u"@"; }

}  // namespace

TestRegistry::TestRegistry() : state_(std::make_unique<State>()) {
  if (const char* previous = std::getenv(platform::kRegistryFileVariable)) state_->previous = previous;
  state_->Write();
  setenv(platform::kRegistryFileVariable, state_->dir.FsPath().string().append("/registry.reg").c_str(), 1);
}

TestRegistry::~TestRegistry() {
  if (state_->previous) {
    setenv(platform::kRegistryFileVariable, state_->previous->c_str(), 1);
  } else {
    unsetenv(platform::kRegistryFileVariable);
  }
}

void TestRegistry::Set(const std::u16string& key, const std::optional<std::u16string>& name,
                       const std::u16string& value) {
  state_->keys[key][NameOf(name)] = Quoted(value);
  state_->Write();
}

void TestRegistry::SetUnterminated(const std::u16string& key, const std::optional<std::u16string>& name,
                                   const std::u16string& value) {
  std::u16string hex = u"hex(1):";
  char pair[8];
  for (char16_t c : value) {
    std::snprintf(pair, sizeof pair, "%02x,%02x,", c & 0xFF, c >> 8);
    for (const char* p = pair; *p != '\0'; ++p) hex += static_cast<char16_t>(*p);
  }
  if (!value.empty()) hex.pop_back();
  state_->keys[key][NameOf(name)] = hex;
  state_->Write();
}

}  // namespace vorlane::test
