// A profile file between calls, shared by both builds.
#include "profile_state.h"

#include <functional>
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

void AppendAscii(std::string& out, std::u16string_view ascii) {
  const std::size_t at = out.size();
  out.resize(at + ascii.size());
  for (std::size_t i = 0; i < ascii.size(); ++i) out[at + i] = static_cast<char>(ascii[i]);
}

// The lines that one write per key gives a section new to the file whose names and values are printable
// ASCII, each key once, as a reading of the file gives them back (each line less its blanks at the
// end), added to `out`; `name` is the section's name as read, `lastLine` where its last key's line
// starts. False, with `out` as it was, for any other section.
struct FormedSection {
  std::u16string_view name;
  std::size_t lastLine = 0;
  std::vector<std::u16string_view> keys;  // scratch, kept between sections for its memory
};
bool FormSection(const ProfileSectionWrite& section, std::string& out, FormedSection& formed) {
  if (section.entries.empty()) return false;
  // Sized once for the text before its blanks are trimmed: thousands of sections are formed in a row.
  const std::size_t start = out.size();
  std::size_t bound = section.name.size() + 4;
  for (const ProfileKey& entry : section.entries) bound += entry.key.size() + entry.value.size() + 3;
  out.resize(start + bound);
  char* const to = out.data();
  std::size_t at = start;
  const auto fail = [&] {
    out.resize(start);
    return false;
  };
  // What a reading gives of printable ASCII text, copied; nothing for other text.
  const auto copy = [&](std::u16string_view text) -> std::optional<std::u16string_view> {
    // Locals only in the loop: a char written may alias any variable the compiler would otherwise reload.
    const char16_t* const from = text.data();
    const std::size_t size = text.size();
    bool ascii = true;
    for (std::size_t i = 0; i < size; ++i) ascii &= from[i] >= 0x20 && from[i] <= 0x7E;
    if (!ascii) return std::nullopt;
    char* const into = to + at;
    for (std::size_t i = 0; i < size; ++i) into[i] = static_cast<char>(from[i]);
    std::size_t kept = size;
    while (kept > 0 && from[kept - 1] == u' ') --kept;
    at += kept;
    return text.substr(0, kept);
  };
  const auto lineEnd = [&] {
    to[at++] = '\r';
    to[at++] = '\n';
  };
  to[at++] = '[';
  const std::optional<std::u16string_view> name = copy(TrimIniBlanksLeft(section.name));
  if (!name || name->empty()) return fail();
  to[at++] = ']';
  lineEnd();
  formed.keys.clear();
  for (const ProfileKey& entry : section.entries) {
    const std::size_t line = at;
    const std::optional<std::u16string_view> key = copy(TrimIniBlanksLeft(entry.key));
    if (!key || key->empty() || key->front() == u'[' || key->find(u'=') != std::u16string_view::npos) return fail();
    for (const std::u16string_view earlier : formed.keys)
      if (earlier.size() == key->size() && EqualsNoCase(earlier, *key)) return fail();
    to[at++] = '=';
    if (!copy(TrimIniBlanksLeft(entry.value))) return fail();
    lineEnd();
    formed.keys.push_back(*key);
    formed.lastLine = line;
  }
  out.resize(at);
  formed.name = *name;
  return true;
}

// What tells one section's lines from another's in the state kept by name.
std::uint64_t LinesHash(std::string_view lines) { return std::hash<std::string_view>{}(lines); }

// A section's name as the state kept by name knows it: names equal but for case give the same key.
std::uint64_t NameKey(std::u16string_view name) {
  std::uint64_t key = 0xcbf29ce484222325u;
  for (const char16_t c : name) key = (key ^ FoldCase(c)) * 0x100000001b3u;
  return key;
}

// Whether this build's 8-bit form of printable ASCII is the ASCII bytes themselves.
bool PlainKeepsAscii(const TextCodec& codec) {
  std::u16string probe;
  for (char16_t c = 0x20; c <= 0x7E; ++c) probe += c;
  probe += u"\r\n";
  std::string bytes;
  AppendAscii(bytes, probe);
  return codec.encodePlain(probe) == bytes;
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
  if (KeepsWholeFile()) return false;
  // Deletes compare the name as given, every other call the name without its blanks.
  if (listed_.count(NameKey(TrimIniBlanks(section))) != 0 || listed_.count(NameKey(section)) != 0) return true;
  if (forgotten_.empty()) return false;
  return forgotten_.count(FoldedText(TrimIniBlanks(section))) != 0 || forgotten_.count(FoldedText(section)) != 0;
}

bool ProfileState::IsDocument(std::string_view bytes) const {
  return EncodeText(doc_.Serialize(), encoding_, true, *codec_) == bytes;
}

bool ProfileState::Changed(const IniEdit& edit) {
  const bool whole = KeepsWholeFile();
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

ProfileState::Applied ProfileState::ApplySections(const std::vector<ProfileSectionWrite>& sections, bool byName) {
  if (byName) {
    if (const std::optional<Applied> listed = ListedByName(sections)) return *listed;
  }
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
  if (!appended && !KeepsWholeFile()) return false;

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

// Every section new to the file and printable ASCII, or one kept by name that is written again with the
// lines it has: the new ones are formed straight into the bytes to add (or, for a file that reads as
// empty, its whole content) and kept by name, the others change nothing. The last call that changed
// the file leaves its lines as it wrote them, as AddedWhole keeps them. Nothing, with nothing done,
// when any section is another kind.
std::optional<ProfileState::Applied> ProfileState::ListedByName(const std::vector<ProfileSectionWrite>& sections) {
  if (sections.empty() || !std::holds_alternative<Unchanged>(change_) || doc_.HasStrayNamelessSection() ||
      MarkAtFront())
    return std::nullopt;
  const bool empty = doc_.Sections().size() == 1 && doc_.Sections().front().keys.empty();
  // Sections that are there already change nothing, whatever the file's last line; new ones need an
  // exact file to add to, or one that reads as empty to replace.
  const bool replace = !exact_;
  const bool canAdd = !replace || (empty && KeepsWholeFile());
  if (encoding_ == TextEncoding::Plain && !PlainKeepsAscii(*codec_)) return std::nullopt;

  std::size_t size = 0;
  for (const ProfileSectionWrite& section : sections) {
    size += section.name.size() + 4;
    for (const ProfileKey& entry : section.entries) size += entry.key.size() + entry.value.size() + 3;
  }
  std::string text;
  text.reserve(size);
  std::vector<std::uint64_t> added;
  added.reserve(sections.size());
  listed_.reserve(listed_.size() + sections.size());
  const auto undo = [&]() -> std::optional<Applied> {
    for (const std::uint64_t name : added) listed_.erase(name);
    return std::nullopt;
  };
  FormedSection formed;
  const ProfileSectionWrite* last = nullptr;  // the last section that changed the file
  std::size_t lastStart = 0;
  std::size_t lastLine = 0;
  std::u16string_view lastName;
  for (const ProfileSectionWrite& section : sections) {
    const std::size_t start = text.size();
    if (!FormSection(section, text, formed)) return undo();
    if ((!forgotten_.empty() && forgotten_.count(FoldedText(formed.name)) != 0) ||
        (!empty && doc_.HasSection(formed.name)))
      return undo();
    const std::uint64_t name = NameKey(formed.name);
    const std::uint64_t hash = LinesHash(std::string_view(text).substr(start));
    const auto [it, inserted] = listed_.try_emplace(name, hash);
    if (!inserted) {
      // Written again: each key's write finds its value there only when the value has no blank to trim.
      bool same = it->second == hash;
      for (const ProfileKey& entry : section.entries) {
        const std::u16string_view value = TrimIniBlanksLeft(entry.value);
        same = same && AsciiReading(value)->size() == value.size();
      }
      if (!same) return undo();
      text.resize(start);
      continue;
    }
    added.push_back(name);
    if (!canAdd) return undo();
    last = &section;
    lastStart = start;
    lastLine = formed.lastLine;
    lastName = formed.name;
  }
  if (last == nullptr) return Applied::Unchanged;

  // The last call wrote its key (and, when it added the section, its header) without the reading's trim.
  const std::u16string_view header = TrimIniBlanksLeft(last->name);
  std::string written;
  AppendAscii(written, TrimIniBlanksLeft(last->entries.back().key));
  written += '=';
  AppendAscii(written, TrimIniBlanksLeft(last->entries.back().value));
  written += "\r\n";
  const bool headerAsWritten = last->entries.size() == 1 && header != lastName;
  // Sections written again add nothing: the last one changed is the end of the text.
  const bool exactAfter = !headerAsWritten && std::string_view(text).substr(lastLine) == written;
  if (headerAsWritten) {
    text.resize(lastStart);
    text += '[';
    AppendAscii(text, header);
    text += "]\r\n";
  } else {
    text.resize(lastLine);
  }
  text += written;

  std::string bytes = replace ? EncodeText(u"", encoding_, true, *codec_) : std::string();
  if (encoding_ != TextEncoding::Plain && encoding_ != TextEncoding::Utf8Bom) {
    bytes += EncodeText(Widen(text), encoding_, false, *codec_);
  } else if (bytes.empty()) {
    bytes = std::move(text);
  } else {
    bytes += text;
  }
  change_ = Listed{std::move(bytes), replace, exactAfter};
  return Applied::Changed;
}

std::optional<std::vector<bool>> ProfileState::ReadBack(const std::vector<ProfileSectionWrite>& sections,
                                                        std::uint32_t size) const {
  if (listed_.empty() || !std::holds_alternative<Unchanged>(change_)) return std::nullopt;
  std::vector<bool> intact;
  intact.reserve(sections.size());
  std::string text;
  FormedSection formed;
  for (const ProfileSectionWrite& section : sections) {
    text.clear();
    if (!FormSection(section, text, formed)) return std::nullopt;
    const auto it = listed_.find(NameKey(formed.name));
    if (it == listed_.end() || it->second != LinesHash(text)) return std::nullopt;
    // The section reads as formed; each key gives its value less the blanks, quotes and cut of a read.
    bool same = true;
    for (const ProfileKey& entry : section.entries)
      same = same && ProfileDefault(*AsciiReading(TrimIniBlanksLeft(entry.value)), size, true).value == entry.value;
    intact.push_back(same);
  }
  return intact;
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

std::optional<ProfileState::Output> ProfileState::Pending() {
  return std::visit(
      Cases{[](const Unchanged&) -> std::optional<Output> { return std::nullopt; },
            [this](const Appended& c) -> std::optional<Output> {
              pending_ = EncodeText(Text(sectionsStored_, &c.written), encoding_, false, *codec_);
              return Output{true, pending_};
            },
            [this](const Rewritten& c) -> std::optional<Output> {
              pending_ = EncodeText(Text(0, &c.written), encoding_, true, *codec_);
              return Output{false, pending_};
            },
            [](const RewrittenAs& c) -> std::optional<Output> { return Output{false, c.bytes}; },
            [](const Listed& c) -> std::optional<Output> { return Output{!c.replace, c.bytes}; }},
      change_);
}

void ProfileState::Stored() {
  const auto keptAsWritten = [](const WrittenLines& w) { return !w.header && !w.key; };
  const bool appended = std::holds_alternative<Appended>(change_);
  std::visit(Cases{[](const Unchanged&) {},
                   [&](const Appended& c) { exact_ = keptAsWritten(c.written); },
                   [&](const Rewritten& c) { exact_ = keptAsWritten(c.written); },
                   [this](const RewrittenAs& c) { exact_ = IsDocument(c.bytes); },
                   [&](const Listed& c) { exact_ = c.exactAfter; }},
             change_);
  change_ = Unchanged{};
  pending_ = std::string();
  if (appended && exact_ && doc_.Sections().size() > kSectionsKept) ForgetStoredSections();
  sectionsStored_ = doc_.Sections().size();
}

void ProfileState::ForgetStoredSections() {
  for (std::size_t s = 0; s < sectionsStored_; ++s) forgotten_.insert(FoldedText(doc_.Sections()[s].name));
  doc_.DropSectionsBefore(sectionsStored_);
  sectionsStored_ = 1;
}

}  // namespace platform
