#include "platform/fake/fake_registry.h"

#include "registry_file.h"

namespace platform::fake {

FakeRegistry::FakeRegistry() : values_(std::make_unique<RegistryFile>()) {}
FakeRegistry::~FakeRegistry() = default;

void FakeRegistry::AddKey(std::u16string_view key) { values_->AddKey(key); }

void FakeRegistry::SetValue(std::u16string_view key, std::optional<std::u16string_view> name,
                            std::u16string_view text) {
  values_->SetString(key, name, text);
}

RegistryValue FakeRegistry::ReadString(std::u16string_view key, std::optional<std::u16string_view> name,
                                       std::size_t maxBytes) {
  openAttempts.emplace_back(key);
  return values_->Read(key, name, maxBytes);
}

}  // namespace platform::fake
