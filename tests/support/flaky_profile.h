#pragma once
// A profile for fault tests: everything goes to the real profile functions, but `failures` writes to
// one file, after the first `passing` ones, are refused (the file is left as it was).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile.h"

namespace vorlane::test {

class FlakyProfile : public platform::Profile {
 public:
  explicit FlakyProfile(platform::Profile& real) : real_(real) {}
  std::u16string failingFile;
  int failures = 0;
  int passing = 0;

  platform::ProfileString ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                                     std::u16string_view defaultValue, std::uint32_t size) override {
    return real_.ReadString(file, section, key, defaultValue, size);
  }
  std::vector<platform::ProfileString> ReadStrings(std::u16string_view file,
                                                 const std::vector<platform::ProfileRead>& reads) override {
    return real_.ReadStrings(file, reads);
  }
  std::int32_t ReadInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                       std::int32_t defaultValue) override {
    return real_.ReadInt(file, section, key, defaultValue);
  }
  bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::optional<std::u16string_view> value) override {
    return !Fails(file) && real_.WriteString(file, section, key, value);
  }
  bool WriteSection(std::u16string_view file, std::u16string_view section,
                    const std::optional<std::vector<std::u16string>>& entries) override {
    return !Fails(file) && real_.WriteSection(file, section, entries);
  }
  bool WriteBatch(std::u16string_view file, const std::vector<platform::ProfileWrite>& writes) override {
    return !Fails(file) && real_.WriteBatch(file, writes);
  }
  bool WriteSections(std::u16string_view file, const std::vector<platform::ProfileSectionWrite>& sections) override {
    return !Fails(file) && real_.WriteSections(file, sections);
  }
  bool Touch(std::u16string_view file) override { return !Fails(file) && real_.Touch(file); }

 private:
  bool Fails(std::u16string_view file) {
    if (file != failingFile || failures == 0) return false;
    if (passing > 0) {
      --passing;
      return false;
    }
    --failures;
    return true;
  }
  platform::Profile& real_;
};

}  // namespace vorlane::test
