// A profile file between calls, shared by both builds.
#include "profile_state.h"

#include <utility>

#include "platform/ini_lines.h"
#include "platform/text.h"

namespace platform {
namespace {

// Beyond this many sections, what the file already holds is kept by name only.
constexpr std::size_t kSectionsKept = 1024;

// Text that reads back as it stands as a name or a value in any encoding: printable ASCII that does not
// end in a blank (which a reading trims).
bool ReadsBackAsItStands(std::u16string_view text) {
  if (text.empty() || text.back() == u' ') return false;
  for (const char16_t c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

bool KeyReadsBackAsItStands(const IniKey& key) {
  return ReadsBackAsItStands(key.name) && key.name.front() != u'[' && key.name.find(u'=') == std::u16string::npos &&
         key.value && (key.value->empty() || ReadsBackAsItStands(*key.value));
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

// The next call reads the file again. Where the written lines come back as one line each, of the same
// kind, and nothing else can move, only those lines need reading again; `written` keeps their form as
// written where the reading differs.
bool ProfileState::RereadLines(const IniEdit& edit, WrittenLines& written) {
  if (doc_.HasStrayNamelessSection()) return false;
  // A mark brought to the front changes how the whole file reads; with earlier sections forgotten the
  // front is theirs.
  if (forgotten_.empty() && encoding_ == TextEncoding::Plain &&
      StartsWithMark(codec_->encodePlain(doc_.FirstLine())))
    return false;
  const IniSection& section = doc_.Sections()[edit.section];
  const IniKey& line = section.keys[edit.key];
  if ((!edit.newSection || ReadsBackAsItStands(section.name)) && KeyReadsBackAsItStands(line)) return true;

  const auto reread = [this](const std::u16string& text) {
    return DecodeText(EncodeText(text, encoding_, true, *codec_), *codec_).text;
  };
  std::optional<std::u16string> header;
  if (edit.newSection) {
    std::u16string text;
    IniDocument::AppendHeaderLine(text, section.name);
    header = reread(text);
    const std::vector<IniLine> lines = SplitIniLines(*header);
    if (lines.size() != 1 || !lines[0].header || lines[0].name.empty()) return false;
    header = std::u16string(lines[0].name);
  }
  std::u16string text;
  IniDocument::AppendKeyLine(text, line);
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
  IniKey key{std::u16string(lines[0].name), std::nullopt};
  if (lines[0].value) key.value = std::u16string(*lines[0].value);
  if (key.name != line.name || key.value != line.value) {
    written.key = edit.key;
    written.keyLine = line;
    doc_.SetKey(edit.section, edit.key, std::move(key));
  }
  if (header && *header != section.name) {
    written.header = section.name;
    doc_.RenameSection(edit.section, std::move(*header));
  }
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
