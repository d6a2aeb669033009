#pragma once
// An in-memory local-machine registry for tests, with the same reading rules as the real one.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace platform {
class RegistryFile;
}

namespace platform::fake {

class FakeRegistry final : public Registry {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  // A key that opens but holds no values (the keys above it open too).
  void AddKey(std::u16string_view key);
  // A string value; an absent name sets the key's default value.
  void SetValue(std::u16string_view key, std::optional<std::u16string_view> name, std::u16string_view text);

  RegistryValue ReadString(std::u16string_view key, std::optional<std::u16string_view> name,
                           std::size_t maxBytes) override;

  // Every key a read tried to open, in order.
  std::vector<std::u16string> openAttempts;

 private:
  std::unique_ptr<RegistryFile> values_;
};

}  // namespace platform::fake
