// A profile file between calls, shared by both builds.
#include "profile_state.h"

#include <utility>
#include <vector>

#include "platform/ini_lines.h"
#include "platform/text.h"

namespace platform {
namespace {

// Beyond this many sections, what the file already holds is kept by name only.
constexpr std::size_t kSectionsKept = 1024;

// What a reading gives of a name or value that is printable ASCII, in any encoding: the text less the
// blanks at its end. Nothing for other text.
std::optional<std::u16string_view> AsciiReading(std::u16string_view text) {
  for (const char16_t c : text)
    if (c < 0x20 || c > 0x7E) return std::nullopt;
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

template <typename... F>
struct Cases : F... {
  using F::operator()...;
};
template <typename... F>
Cases(F...) -> Cases<F...>;

}  // namespace

ProfileState ProfileState::Read(std::string_view bytes, const TextCodec& codec) {
  ProfileState state(codec);
  DecodedText decoded = DecodeText(bytes, codec);
  state.doc_ = IniDocument::Parse(decoded.text);
  state.encoding_ = decoded.encoding;
  state.exact_ = state.IsDocument(bytes);
  state.sectionsStored_ = state.doc_.Sections().size();
  return state;
}

ProfileState ProfileState::Missing(const TextCodec& codec) {
  ProfileState state(codec);
  state.sectionsStored_ = state.doc_.Sections().size();
  return state;
}

bool ProfileState::Forgets(std::u16string_view section) const {
  if (forgotten_.empty()) return false;
  // Deletes compare the name as given, every other call the name without its blanks.
  return forgotten_.count(FoldedText(TrimIniBlanks(section))) != 0 || forgotten_.count(FoldedText(section)) != 0;
}

bool ProfileState::IsDocument(std::string_view bytes) const {
  return EncodeText(doc_.Serialize(), encoding_, true, *codec_) == bytes;
}

bool ProfileState::Changed(const IniEdit& edit) {
  const bool whole = forgotten_.empty();
  WrittenLines written{edit.section, std::nullopt, std::nullopt, {}};
  if (edit.kind == IniEdit::Line && RereadLines(edit, written)) {
    const bool onlyAdded = std::holds_alternative<Unchanged>(change_) || std::holds_alternative<Appended>(change_);
    if (exact_ && onlyAdded && edit.section >= sectionsStored_) {
      change_ = Appended{std::move(written)};
      return true;
    }
    if (!whole) return false;
    change_ = Rewritten{std::move(written)};
    return true;
  }
  if (!whole) return false;
  RereadWhole();
  return true;
}

ProfileState::Applied ProfileState::ApplySections(const std::vector<ProfileSectionWrite>& sections) {
  Applied result = Applied::Unchanged;
  for (const ProfileSectionWrite& section : sections) {
    if (AddedWhole(section)) {
      result = Applied::Changed;
      continue;
    }
    for (const ProfileKey& entry : section.entries) {
      const Applied applied = Apply(section.name, [&](IniDocument& doc) {
        return doc.WriteString(section.name, entry.key, std::u16string_view(entry.value));
      });
      if (applied == Applied::NeedsWholeFile) return applied;
      if (applied == Applied::Changed) result = applied;
    }
  }
  return result;
}

// A new section of printable ASCII names and values, each key once: its calls, one per key, would add
// the section and its keys, each line read back less its blanks at the end, with the last call's lines
// in the file as that call wrote them. False, with nothing done, for any other section.
bool ProfileState::AddedWhole(const ProfileSectionWrite& section) {
  if (section.entries.empty() || doc_.HasStrayNamelessSection() || MarkAtFront()) return false;
  const std::u16string_view written = TrimIniBlanksLeft(section.name);
  const std::optional<std::u16string_view> name = AsciiReading(written);
  if (!name || name->empty() || doc_.HasSection(*name) || Forgets(section.name)) return false;
  const bool onlyAdded = std::holds_alternative<Unchanged>(change_) || std::holds_alternative<Appended>(change_);
  const bool appended = exact_ && onlyAdded;
  if (!appended && !forgotten_.empty()) return false;

  IniSection added{std::u16string(*name), {}};
  added.keys.reserve(section.entries.size());
  for (const ProfileKey& entry : section.entries) {
    const std::u16string_view keyWritten = TrimIniBlanksLeft(entry.key);
    const std::optional<std::u16string_view> key = AsciiReading(keyWritten);
    const std::optional<std::u16string_view> value = AsciiReading(TrimIniBlanksLeft(entry.value));
    if (!key || key->empty() || key->front() == u'[' || key->find(u'=') != std::u16string_view::npos || !value)
      return false;
    for (const IniKey& earlier : added.keys)
      if (EqualsNoCase(earlier.name, *key)) return false;
    added.keys.push_back(IniKey{std::u16string(*key), std::u16string(*value)});
  }

  WrittenLines last{doc_.Sections().size(), std::nullopt, std::nullopt, {}};
  const ProfileKey& lastEntry = section.entries.back();
  const IniKey lastWritten{std::u16string(TrimIniBlanksLeft(lastEntry.key)),
                           std::u16string(TrimIniBlanksLeft(lastEntry.value))};
  if (lastWritten.name != added.keys.back().name || lastWritten.value != added.keys.back().value) {
    last.key = added.keys.size() - 1;
    last.keyLine = lastWritten;
  }
  // The call that added the section wrote its header; only when it is also the last does that stay.
  if (added.keys.size() == 1 && written != *name) last.header = std::u16string(written);
  doc_.AppendSection(std::move(added));
  if (appended) {
    change_ = Appended{std::move(last)};
  } else {
    change_ = Rewritten{std::move(last)};
  }
  return true;
}

// The next call reads the file again. Where the written lines come back as one line each, of the same
// kind, and nothing else can move, only those lines need reading again; `written` keeps their form as
// written where the reading differs.
bool ProfileState::RereadLines(const IniEdit& edit, WrittenLines& written) {
  if (doc_.HasStrayNamelessSection() || MarkAtFront()) return false;
  const IniSection& section = doc_.Sections()[edit.section];
  const IniKey& line = section.keys[edit.key];
  std::optional<std::u16string> header;
  std::optional<IniKey> reread;  // absent: the key line reads back as written
  const std::optional<std::u16string_view> headerAscii =
      edit.newSection ? AsciiReading(section.name) : std::optional<std::u16string_view>(u"");
  const std::optional<std::u16string_view> nameAscii = AsciiReading(line.name);
  const std::optional<std::u16string_view> valueAscii =
      line.value ? AsciiReading(*line.value) : std::optional<std::u16string_view>();
  if (headerAscii && (!edit.newSection || !headerAscii->empty()) && nameAscii && !nameAscii->empty() &&
      line.name.front() != u'[' && line.name.find(u'=') == std::u16string::npos && valueAscii) {
    // ASCII holds no line end and survives every encoding: the common case costs no copies.
    if (edit.newSection && *headerAscii != section.name) header = std::u16string(*headerAscii);
    if (*nameAscii != line.name || *valueAscii != *line.value)
      reread = IniKey{std::u16string(*nameAscii), std::u16string(*valueAscii)};
  } else {
    IniKey key;
    if (!RereadByDecoding(edit, header, key)) return false;
    if (key.name != line.name || key.value != line.value) reread = std::move(key);
  }
  if (reread) {
    written.key = edit.key;
    written.keyLine = line;
    doc_.SetKey(edit.section, edit.key, std::move(*reread));
  }
  if (header && *header != section.name) {
    written.header = section.name;
    doc_.RenameSection(edit.section, std::move(*header));
  }
  return true;
}

// Whether the file as the document writes it starts with a mark that its reading did not see, which
// changes how the whole file reads; with earlier sections forgotten the front is theirs.
bool ProfileState::MarkAtFront() const {
  if (!forgotten_.empty() || encoding_ != TextEncoding::Plain) return false;
  // A header starts with "[": only a key before the first header can begin with a mark.
  const std::vector<IniKey>& keys = doc_.Sections().front().keys;
  if (keys.empty() || keys.front().name.empty() || keys.front().name.front() < 0x80) return false;
  return StartsWithMark(codec_->encodePlain(doc_.FirstLine()));
}

// The lines the call wrote, through the encoding and back: false where they do not come back as one
// line each of their kind.
bool ProfileState::RereadByDecoding(const IniEdit& edit, std::optional<std::u16string>& header, IniKey& key) const {
  const IniSection& section = doc_.Sections()[edit.section];
  const auto reread = [this](const std::u16string& text) {
    return DecodeText(EncodeText(text, encoding_, true, *codec_), *codec_).text;
  };
  if (edit.newSection) {
    std::u16string text;
    IniDocument::AppendHeaderLine(text, section.name);
    const std::u16string headerText = reread(text);
    const std::vector<IniLine> lines = SplitIniLines(headerText);
    if (lines.size() != 1 || !lines[0].header || lines[0].name.empty()) return false;
    header = std::u16string(lines[0].name);
  }
  std::u16string text;
  IniDocument::AppendKeyLine(text, section.keys[edit.key]);
  const std::u16string keyText = reread(text);
  const std::vector<IniLine> lines = SplitIniLines(keyText);
  if (lines.size() != 1 || lines[0].header) return false;
  const auto& keys = section.keys;
  if (lines[0].name.empty()) {
    // A run of nameless keys reads as its first only.
    if ((edit.key > 0 && keys[edit.key - 1].name.empty()) ||
        (edit.key + 1 < keys.size() && keys[edit.key + 1].name.empty()))
      return false;
  }
  key = IniKey{std::u16string(lines[0].name), std::nullopt};
  if (lines[0].value) key.value = std::u16string(*lines[0].value);
  return true;
}

void ProfileState::RereadWhole() {
  std::string bytes = EncodeText(doc_.Serialize(), encoding_, true, *codec_);
  // A mark at the front now names the encoding of every later call.
  DecodedText decoded = DecodeText(bytes, *codec_);
  doc_ = IniDocument::Parse(decoded.text);
  encoding_ = decoded.encoding;
  change_ = RewrittenAs{std::move(bytes)};
}

std::u16string ProfileState::Text(std::size_t firstSection, const WrittenLines* written) const {
  std::u16string out;
  const std::vector<IniSection>& sections = doc_.Sections();
  // Sized once: a whole file's text is megabytes that would otherwise be copied as it grows.
  std::size_t size = written != nullptr && written->header ? written->header->size() : 0;
  const auto keySize = [](const IniKey& key) { return key.name.size() + 3 + (key.value ? key.value->size() : 0); };
  if (written != nullptr && written->key) size += keySize(written->keyLine);
  for (std::size_t s = firstSection; s < sections.size(); ++s) {
    size += sections[s].name.size() + 4;
    for (const IniKey& key : sections[s].keys) size += keySize(key);
  }
  out.reserve(size);
  for (std::size_t s = firstSection; s < sections.size(); ++s) {
    const WrittenLines* here = written != nullptr && written->section == s ? written : nullptr;
    IniDocument::AppendHeaderLine(out, here && here->header ? *here->header : sections[s].name);
    for (std::size_t k = 0; k < sections[s].keys.size(); ++k)
      IniDocument::AppendKeyLine(out, here && here->key == k ? here->keyLine : sections[s].keys[k]);
  }
  return out;
}

std::optional<ProfileState::Output> ProfileState::Pending() const {
  return std::visit(
      Cases{[](const Unchanged&) -> std::optional<Output> { return std::nullopt; },
            [this](const Appended& c) -> std::optional<Output> {
              return Output{true, EncodeText(Text(sectionsStored_, &c.written), encoding_, false, *codec_)};
            },
            [this](const Rewritten& c) -> std::optional<Output> {
              return Output{false, EncodeText(Text(0, &c.written), encoding_, true, *codec_)};
            },
            [](const RewrittenAs& c) -> std::optional<Output> { return Output{false, c.bytes}; }},
      change_);
}

void ProfileState::Stored() {
  const auto keptAsWritten = [](const WrittenLines& w) { return !w.header && !w.key; };
  const bool appended = std::holds_alternative<Appended>(change_);
  std::visit(Cases{[](const Unchanged&) {},
                   [&](const Appended& c) { exact_ = keptAsWritten(c.written); },
                   [&](const Rewritten& c) { exact_ = keptAsWritten(c.written); },
                   [this](const RewrittenAs& c) { exact_ = IsDocument(c.bytes); }},
             change_);
  change_ = Unchanged{};
  if (appended && exact_ && doc_.Sections().size() > kSectionsKept) ForgetStoredSections();
  sectionsStored_ = doc_.Sections().size();
}

void ProfileState::ForgetStoredSections() {
  for (std::size_t s = 0; s < sectionsStored_; ++s) forgotten_.insert(FoldedText(doc_.Sections()[s].name));
  doc_.DropSectionsBefore(sectionsStored_);
  sectionsStored_ = 1;
}

}  // namespace platform
