// Profile files through the document model, shared by both builds.
#include "profile_store.h"

#include "ini_document.h"

namespace platform {
namespace {

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  // An odd last byte is dropped, as the platform does.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return out;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
  return out;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

class ModelProfile : public Profile {
 public:
  ModelProfile(ProfileFileAccess& files, const ProfileCodec& codec) : files_(files), codec_(codec) {}

  ProfileString ReadString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultValue, std::uint32_t size) override {
    const ProfileFile f = files_.Read(file, false);
    // Only a file that cannot be reached at all gives the default without its quote handling.
    if (f.state == ProfileFileState::Unreachable) return ProfileDefault(defaultValue, size, false);
    return Load(f).doc.ReadString(section, key, defaultValue, size);
  }

  std::int32_t ReadInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                       std::int32_t defaultValue) override {
    const ProfileFile f = files_.Read(file, false);
    if (f.state == ProfileFileState::Unreachable) return defaultValue;
    return Load(f).doc.ReadInt(section, key, defaultValue);
  }

  bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                   std::optional<std::u16string_view> value) override {
    return Update(file, [&](IniDocument& doc) { return doc.WriteString(section, key, value); });
  }

  bool WriteSection(std::u16string_view file, std::u16string_view section,
                    const std::optional<std::vector<std::u16string>>& entries) override {
    return Update(file, [&](IniDocument& doc) { return doc.WriteSection(section, entries); });
  }

  bool WriteBatch(std::u16string_view file, const std::vector<ProfileWrite>& writes) override {
    const ProfileFile f = files_.Read(file, true);
    if (f.state == ProfileFileState::Unreachable) return false;
    Loaded loaded = Load(f);
    IniDocument& doc = loaded.doc;
    bool changed = false;
    for (const ProfileWrite& w : writes) {
      // Each per-key call would re-read the file the previous one wrote.
      doc.Reparse();
      std::optional<std::u16string_view> value;
      if (w.value) value = *w.value;
      changed = doc.WriteString(w.section, w.key, value) || changed;
    }
    if (!changed) return true;
    // The file holds what the last changing call wrote, before any later re-read.
    doc.UndoReparse();
    const std::u16string text = doc.Serialize();
    if (f.state == ProfileFileState::Present && doc.FirstChangedSection() >= doc.ParsedSectionCount()) {
      // Only new sections at the end: when the file already reads back as it would be written,
      // adding their bytes gives the same file as a rewrite.
      const std::u16string tail = doc.SerializeFrom(doc.ParsedSectionCount());
      const std::u16string_view head = std::u16string_view(text).substr(0, text.size() - tail.size());
      if (EncodeProfile(head, loaded.encoding, codec_, true) == f.bytes)
        return files_.Append(file, EncodeProfile(tail, loaded.encoding, codec_, false));
    }
    return files_.Replace(file, EncodeProfile(text, loaded.encoding, codec_, true));
  }

 private:
  struct Loaded {
    IniDocument doc;
    ProfileEncoding encoding = ProfileEncoding::Plain;
  };

  Loaded Load(const ProfileFile& f) const {
    if (f.state != ProfileFileState::Present) return {};
    ProfileText decoded = DecodeProfile(f.bytes, codec_);
    return {IniDocument::Parse(decoded.text), decoded.encoding};
  }

  template <typename Change>
  bool Update(std::u16string_view file, Change&& change) {
    const ProfileFile f = files_.Read(file, true);
    if (f.state == ProfileFileState::Unreachable) return false;
    Loaded loaded = Load(f);
    // Nothing changed: the file is not written (nor created).
    if (!change(loaded.doc)) return true;
    return files_.Replace(file, EncodeProfile(loaded.doc.Serialize(), loaded.encoding, codec_, true));
  }

  ProfileFileAccess& files_;
  const ProfileCodec& codec_;
};

}  // namespace

ProfileText DecodeProfile(std::string_view bytes, const ProfileCodec& codec) {
  if (StartsWith(bytes, kUtf8Mark)) return {codec.decodeUtf8(bytes.substr(3)), ProfileEncoding::Utf8Bom};
  if (StartsWith(bytes, kUtf16LeMark)) return {DecodeUtf16(bytes.substr(2), false), ProfileEncoding::Utf16Le};
  if (StartsWith(bytes, kUtf16BeMark)) return {DecodeUtf16(bytes.substr(2), true), ProfileEncoding::Utf16Be};
  return {codec.decodePlain(bytes), ProfileEncoding::Plain};
}

std::string EncodeProfile(std::u16string_view text, ProfileEncoding encoding, const ProfileCodec& codec,
                          bool withMark) {
  switch (encoding) {
    case ProfileEncoding::Utf8Bom:
      return std::string(withMark ? kUtf8Mark : "") + codec.encodeUtf8(text);
    case ProfileEncoding::Utf16Le:
      return std::string(withMark ? kUtf16LeMark : "") + EncodeUtf16(text, false);
    case ProfileEncoding::Utf16Be:
      return std::string(withMark ? kUtf16BeMark : "") + EncodeUtf16(text, true);
    case ProfileEncoding::Plain:
      break;
  }
  return codec.encodePlain(text);
}

std::unique_ptr<Profile> MakeModelProfile(ProfileFileAccess& files, const ProfileCodec& codec) {
  return std::make_unique<ModelProfile>(files, codec);
}

}  // namespace platform
