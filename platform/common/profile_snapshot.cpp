// A profile file parsed once through the document model, shared by both builds.
#include "platform/profile_snapshot.h"

#include <string>

#include "ini_document.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

class ProfileSnapshot : public Profile {
 public:
  ProfileSnapshot(Profile& fallback, std::u16string_view file, std::string_view bytes)
      : fallback_(fallback),
        file_(file),
        doc_(IniDocument::Parse(DecodeText(bytes, NativeTextCodec()).text)) {}

  ProfileString ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultValue, std::uint32_t size) override {
    if (file != file_) return fallback_.ReadString(file, section, key, defaultValue, size);
    return doc_.ReadString(section, key, defaultValue, size);
  }

  std::int32_t ReadInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                       std::int32_t defaultValue) override {
    if (file != file_) return fallback_.ReadInt(file, section, key, defaultValue);
    return doc_.ReadInt(section, key, defaultValue);
  }

  bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::optional<std::u16string_view> value) override {
    return fallback_.WriteString(file, section, key, value);
  }

  bool WriteSection(std::u16string_view file, std::u16string_view section,
                    const std::optional<std::vector<std::u16string>>& entries) override {
    return fallback_.WriteSection(file, section, entries);
  }

  bool Touch(std::u16string_view file) override { return fallback_.Touch(file); }

  bool WriteBatch(std::u16string_view file, const std::vector<ProfileWrite>& writes) override {
    return fallback_.WriteBatch(file, writes);
  }

 private:
  Profile& fallback_;
  std::u16string file_;
  IniDocument doc_;
};

}  // namespace

std::unique_ptr<Profile> MakeProfileSnapshot(Profile& fallback, std::u16string_view file, std::string_view bytes) {
  return std::make_unique<ProfileSnapshot>(fallback, file, bytes);
}

}  // namespace platform
