// Profile files through the document model, shared by both builds.
#include "profile_store.h"

#include <algorithm>

#include "ini_document.h"
#include "platform/text.h"

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
    Loaded loaded;
    ProfileFile f;
    bool cacheMatchesFile = false;
    const bool fromCache = TakeCached(file, loaded, cacheMatchesFile);
    if (!fromCache) {
      f = files_.Read(file, true);
      if (f.state == ProfileFileState::Unreachable) return false;
      loaded = Load(f);
    }
    IniDocument& doc = loaded.doc;
    bool changed = false;
    for (std::size_t i = 0; i < writes.size(); ++i) {
      // A rewrite that drops what stood before byte-order-mark bytes makes the next per-key call read
      // the file in another encoding: only the per-key calls themselves give that file.
      if (changed && FileWouldStartWithMark(doc, loaded.encoding)) return WriteRestPerKey(file, doc, loaded, writes, i);
      // Each per-key call would re-read the file the previous one wrote.
      doc.Reparse();
      const ProfileWrite& w = writes[i];
      std::optional<std::u16string_view> value;
      if (w.value) value = *w.value;
      changed = doc.WriteString(w.section, w.key, value) || changed;
    }
    if (!changed) return true;
    // The file holds what the last changing call wrote, before any later re-read.
    const bool gaveBack = doc.UndoReparse();
    bool ok;
    const std::size_t parsed = doc.ParsedSectionCount();
    const bool present = fromCache || f.state == ProfileFileState::Present;
    if (present && doc.FirstChangedSection() >= parsed &&
        (fromCache ? cacheMatchesFile : AppendsCleanly(doc, loaded.encoding, f))) {
      // Only new sections at the end of a file that reads back as it would be written: adding their
      // bytes gives the same file as a rewrite.
      ok = files_.Append(file, EncodeProfile(doc.SerializeFrom(parsed), loaded.encoding, codec_, false));
    } else {
      ok = files_.Replace(file, EncodeProfile(doc.Serialize(), loaded.encoding, codec_, true));
    }
    if (ok && !gaveBack) Remember(file, std::move(loaded));
    return ok;
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

  bool AppendsCleanly(const IniDocument& doc, ProfileEncoding encoding, const ProfileFile& f) const {
    const std::u16string text = doc.SerializeFrom(0);
    const std::u16string tail = doc.SerializeFrom(doc.ParsedSectionCount());
    return EncodeProfile(std::u16string_view(text).substr(0, text.size() - tail.size()), encoding, codec_, true) ==
           f.bytes;
  }

  bool FileWouldStartWithMark(const IniDocument& doc, ProfileEncoding encoding) const {
    if (encoding != ProfileEncoding::Plain) return false;
    const std::string head = EncodeProfile(doc.SerializePrefix(3), encoding, codec_, false);
    return StartsWith(head, kUtf8Mark) || StartsWith(head, kUtf16LeMark) || StartsWith(head, kUtf16BeMark);
  }

  bool WriteRestPerKey(std::u16string_view file, IniDocument& doc, const Loaded& loaded,
                       const std::vector<ProfileWrite>& writes, std::size_t next) {
    doc.UndoReparse();
    if (!files_.Replace(file, EncodeProfile(doc.Serialize(), loaded.encoding, codec_, true))) return false;
    bool ok = true;
    for (std::size_t i = next; i < writes.size(); ++i) {
      std::optional<std::u16string_view> value;
      if (writes[i].value) value = *writes[i].value;
      ok = WriteString(file, writes[i].section, writes[i].key, value) && ok;
    }
    return ok;
  }

  // The document last written to `file`, when the file is still as that write left it.
  bool TakeCached(std::u16string_view file, Loaded& loaded, bool& matchesFile) {
    std::optional<Cached> cached = std::move(cached_);
    cached_.reset();
    if (!cached || cached->path != file) return false;
    const std::optional<ProfileStamp> stamp = files_.Stamp(file);
    if (!stamp || *stamp != cached->stamp) return false;
    loaded = std::move(cached->loaded);
    matchesFile = cached->matchesFile;
    return true;
  }

  void Remember(std::u16string_view file, Loaded&& loaded) {
    const std::optional<ProfileStamp> stamp = files_.Stamp(file);
    if (!stamp) return;
    // What the next re-read of the file gives. That re-read may trim what the last write left (blanks
    // after a value or a name); the file then no longer reads back as it would be written, and the next
    // batch must rewrite it rather than append to it.
    IniDocument& doc = loaded.doc;
    const std::size_t from = std::min(doc.FirstChangedSection(), doc.Sections().size());
    const std::u16string written = doc.SerializeFrom(from);
    doc.Reparse();
    const bool matchesFile = doc.SerializeFrom(from) == written;
    doc.MarkParsed();
    cached_ = Cached{std::u16string(file), *stamp, std::move(loaded), matchesFile};
  }

  template <typename Change>
  bool Update(std::u16string_view file, Change&& change) {
    // A single write may leave the file's size and time as they were: forget what was remembered of it.
    if (cached_ && EqualsNoCase(cached_->path, file)) cached_.reset();
    const ProfileFile f = files_.Read(file, true);
    if (f.state == ProfileFileState::Unreachable) return false;
    Loaded loaded = Load(f);
    // Nothing changed: the file is not written (nor created).
    if (!change(loaded.doc)) return true;
    return files_.Replace(file, EncodeProfile(loaded.doc.Serialize(), loaded.encoding, codec_, true));
  }

  struct Cached {
    std::u16string path;
    ProfileStamp stamp;
    Loaded loaded;
    bool matchesFile = false;  // the file's bytes are the document's as it is written
  };

  ProfileFileAccess& files_;
  const ProfileCodec& codec_;
  std::optional<Cached> cached_;
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
