// POSIX: the test registry is a REGEDIT export file named by the stand-in host's variable.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

#include "platform/standin_host.h"
#include "platform/text.h"
#include "platform/text_codec.h"
#include "registry_file.h"
#include "temp_dir.h"
#include "test_registry.h"

namespace vorlane::test {

struct TestRegistry::State {
  TempDir dir;
  std::optional<std::string> previous;
  // folded key -> (key as set, name line -> data)
  std::map<std::u16string, std::pair<std::u16string, std::map<std::u16string, std::u16string>>> keys;

  std::u16string File() const { return dir.Join(u"registry.reg"); }

  void Store(std::u16string_view key, std::u16string_view name, std::u16string data) {
    auto& entry = keys[platform::FoldedText(key)];
    entry.first = key;
    entry.second[platform::RegistryNameText(name)] = std::move(data);
    Write();
  }

  void Write() const {
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n";
    for (const auto& [folded, entry] : keys) {
      text += u"\r\n[HKEY_LOCAL_MACHINE\\" + entry.first + u"]\r\n";
      for (const auto& [name, data] : entry.second) text += name + u"=" + data + u"\r\n";
    }
    // UTF-16LE with its mark, as regedit exports.
    dir.WriteFile(u"registry.reg", platform::EncodeText(text, platform::TextEncoding::Utf16Le, true));
  }
};

TestRegistry::TestRegistry() : state_(std::make_unique<State>()) {
  if (const char* previous = std::getenv(platform::kRegistryFileVariable)) state_->previous = previous;
  state_->Write();
  setenv(platform::kRegistryFileVariable, platform::Utf16ToUtf8(state_->File()).c_str(), 1);
}

TestRegistry::~TestRegistry() {
  if (state_->previous) {
    setenv(platform::kRegistryFileVariable, state_->previous->c_str(), 1);
  } else {
    unsetenv(platform::kRegistryFileVariable);
  }
}

void TestRegistry::Set(std::u16string_view key, std::u16string_view name, std::u16string_view value) {
  state_->Store(key, name, platform::RegistryQuoted(value));
}

void TestRegistry::SetUnterminated(std::u16string_view key, std::u16string_view name, std::u16string_view value) {
  std::u16string hex = u"hex(1):";
  char pair[8];
  for (char16_t c : value) {
    std::snprintf(pair, sizeof pair, "%02x,%02x,", c & 0xFF, c >> 8);
    for (const char* p = pair; *p != '\0'; ++p) hex += static_cast<char16_t>(*p);
  }
  if (!value.empty()) hex.pop_back();
  state_->Store(key, name, hex);
}

void TestRegistry::RemoveKey(std::u16string_view key) {
  const std::u16string folded = platform::FoldedText(key);
  std::erase_if(state_->keys,
                [&](const auto& entry) { return entry.first == folded || entry.first.starts_with(folded + u'\\'); });
  state_->Write();
}

std::u16string TestRegistry::File() const { return state_->File(); }

}  // namespace vorlane::test
