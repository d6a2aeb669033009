// The private-profile document model shared by both builds.
#include "ini_document.h"

#include <algorithm>

#include "platform/text.h"

namespace platform {
namespace {

bool IsBlank(char16_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

std::u16string_view TrimLeft(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}
std::u16string_view TrimRight(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}
std::u16string_view Trim(std::u16string_view s) { return TrimRight(TrimLeft(s)); }

std::u16string Folded(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) c = FoldCase(c);
  return out;
}

// One parsed line: a section header or a key.
struct ParsedLine {
  bool header = false;
  IniKey key;  // for a header, key.name is the section name
};

// Calls `emit` for every non-blank line of `text`, parsed. Any run of CR and LF ends a line.
template <typename Emit>
void ParseLines(std::u16string_view text, Emit&& emit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != u'\n' && text[pos] != u'\r') ++pos;
    std::u16string_view line = Trim(text.substr(start, pos - start));
    while (pos < text.size() && (text[pos] == u'\n' || text[pos] == u'\r')) ++pos;
    if (line.empty()) continue;
    ParsedLine parsed;
    if (line.front() == u'[') {
      const std::size_t close = line.rfind(u']');
      if (close != std::u16string_view::npos) {
        parsed.header = true;
        parsed.key.name = std::u16string(Trim(line.substr(1, close - 1)));
        emit(std::move(parsed));
        continue;
      }
    }
    const std::size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) {
      parsed.key.name = std::u16string(line);
    } else {
      parsed.key.name = std::u16string(TrimRight(line.substr(0, eq)));
      parsed.key.value = std::u16string(TrimLeft(line.substr(eq + 1)));
    }
    emit(std::move(parsed));
  }
}

void AppendKeyLine(std::u16string& out, const IniKey& key) {
  out += key.name;
  if (key.value) {
    out += u'=';
    out += *key.value;
  }
  out += u"\r\n";
}

void AppendSection(std::u16string& out, const IniSection& section) {
  if (!section.name.empty()) {
    out += u'[';
    out += section.name;
    out += u"]\r\n";
  }
  for (const IniKey& key : section.keys) AppendKeyLine(out, key);
}

bool HasStrayNamelessSection(const std::vector<IniSection>& sections) {
  for (std::size_t i = 1; i < sections.size(); ++i)
    if (sections[i].name.empty()) return true;
  return false;
}

// The quote handling and buffer cut of the string read. A value that starts and ends with the same
// quote loses both; the reader then also loses one more character when the buffer holds the
// unquoted text exactly (kept, the file's readers see it that way).
ProfileString CopyEntry(std::u16string_view value, std::uint32_t size, bool unquote) {
  ProfileString out;
  if (size == 0) return out;
  bool quoted = false;
  if (unquote && value.size() >= 2 && (value[0] == u'\'' || value[0] == u'"') && value.back() == value[0]) {
    quoted = true;
    value.remove_prefix(1);
  }
  out.value = std::u16string(value.substr(0, std::min<std::size_t>(size - 1, value.size())));
  // Never cut below empty: the platform would write before the buffer there.
  if (quoted && size >= value.size() && !out.value.empty()) out.value.pop_back();
  out.count = static_cast<std::uint32_t>(out.value.size());
  return out;
}

// The integer parse of the string read's text: blanks and controls skipped, a sign, lower-case
// 0x/0o/0b prefixes, digits up to the first other character, wrapping modulo 2^32.
std::uint32_t ParseProfileInt(std::u16string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] <= u' ') ++i;
  bool minus = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) minus = s[i++] == u'-';
  unsigned base = 10;
  if (i + 1 < s.size() && s[i] == u'0') {
    if (s[i + 1] == u'b') base = 2;
    if (s[i + 1] == u'o') base = 8;
    if (s[i + 1] == u'x') base = 16;
    if (base != 10) i += 2;
  }
  std::uint32_t total = 0;
  for (; i < s.size(); ++i) {
    const char16_t c = s[i];
    unsigned digit = 99;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    if (c >= u'A' && c <= u'Z') digit = c - u'A' + 10;
    if (c >= u'a' && c <= u'z') digit = c - u'a' + 10;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return minus ? 0u - total : total;
}

}  // namespace

ProfileString ProfileDefault(std::u16string_view defaultValue, std::uint32_t size, bool unquote) {
  // Only blanks proper are cut from the end of a default, and never its first character.
  while (defaultValue.size() > 1 && defaultValue.back() == u' ') defaultValue.remove_suffix(1);
  return CopyEntry(defaultValue, size, unquote);
}

IniDocument::IniDocument() : sections_(1) {}

IniDocument IniDocument::Parse(std::u16string_view text) {
  IniDocument doc;
  ParseLines(text, [&](ParsedLine&& line) {
    auto& keys = doc.sections_.back().keys;
    if (line.header) {
      doc.sections_.push_back(IniSection{std::move(line.key.name), {}});
    } else if (!line.key.name.empty() || keys.empty() || !keys.back().name.empty()) {
      // A run of nameless keys in a section keeps only its first.
      keys.push_back(std::move(line.key));
    }
  });
  doc.parsedCount_ = doc.sections_.size();
  doc.needsFullReparse_ = HasStrayNamelessSection(doc.sections_);
  return doc;
}

std::u16string IniDocument::Serialize() const { return SerializeFrom(0); }

std::u16string IniDocument::SerializeFrom(std::size_t first) const {
  std::u16string out;
  for (std::size_t i = first; i < sections_.size(); ++i) AppendSection(out, sections_[i]);
  return out;
}

void IniDocument::RebuildIndex() const {
  index_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) index_.emplace(Folded(sections_[i].name), i);
  indexValid_ = true;
}

std::optional<std::size_t> IniDocument::FindSection(std::u16string_view trimmedName) const {
  if (!indexValid_) RebuildIndex();
  const auto it = index_.find(Folded(trimmedName));
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

ProfileString IniDocument::ReadString(std::u16string_view section, std::u16string_view key,
                                      std::u16string_view defaultValue, std::uint32_t size) const {
  if (const auto s = FindSection(Trim(section))) {
    const std::u16string_view name = Trim(key);
    for (const IniKey& k : sections_[*s].keys) {
      if (EqualsNoCase(k.name, name)) {
        if (k.value) return CopyEntry(*k.value, size, true);
        break;
      }
    }
  }
  return ProfileDefault(defaultValue, size, true);
}

std::int32_t IniDocument::ReadInt(std::u16string_view section, std::u16string_view key,
                                  std::int32_t defaultValue) const {
  const ProfileString text = ReadString(section, key, u"", 30);
  if (text.count == 0) return defaultValue;
  return static_cast<std::int32_t>(ParseProfileInt(text.value));
}

void IniDocument::MarkChanged(std::size_t section) {
  firstChanged_ = std::min(firstChanged_, section);
  undoSections_.reset();
  undoLines_.clear();
}

// Deletions compare the caller's names as given, without trimming them.
bool IniDocument::DeleteSection(std::u16string_view section) {
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (EqualsNoCase(sections_[i].name, section)) {
      sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
      if (i < parsedCount_) --parsedCount_;
      indexValid_ = false;
      if (!written_.empty()) needsFullReparse_ = true;
      written_.clear();
      needsFullReparse_ = needsFullReparse_ || HasStrayNamelessSection(sections_);
      MarkChanged(i);
      return true;
    }
  }
  return false;
}

bool IniDocument::DeleteKey(std::u16string_view section, std::u16string_view key) {
  // Every section of that name is searched, not only the first.
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (!EqualsNoCase(sections_[i].name, section)) continue;
    auto& keys = sections_[i].keys;
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (EqualsNoCase(keys[k].name, key)) {
        keys.erase(keys.begin() + static_cast<std::ptrdiff_t>(k));
        // Positions of lines still to re-read may have moved.
        if (!written_.empty()) needsFullReparse_ = true;
        written_.clear();
        MarkChanged(i);
        return true;
      }
    }
  }
  return false;
}

IniKey& IniDocument::AppendKey(std::u16string_view section, std::u16string_view key) {
  const std::u16string_view keyName = TrimLeft(key);
  std::size_t s;
  if (const auto found = FindSection(Trim(section))) {
    s = *found;
  } else {
    s = sections_.size();
    sections_.push_back(IniSection{std::u16string(TrimLeft(section)), {}});
    if (indexValid_) index_.emplace(Folded(sections_.back().name), s);
    written_.push_back({s, std::nullopt});
  }
  sections_[s].keys.push_back(IniKey{std::u16string(keyName), std::nullopt});
  written_.push_back({s, sections_[s].keys.size() - 1});
  MarkChanged(s);
  return sections_[s].keys.back();
}

bool IniDocument::WriteString(std::u16string_view section, std::u16string_view key,
                              std::optional<std::u16string_view> value) {
  if (!value) return DeleteKey(section, key);
  const std::u16string_view newValue = TrimLeft(*value);
  if (const auto s = FindSection(Trim(section))) {
    const std::u16string_view name = Trim(key);
    auto& keys = sections_[*s].keys;
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (!EqualsNoCase(keys[k].name, name)) continue;
      if (keys[k].value && *keys[k].value == newValue) return false;
      keys[k].value = std::u16string(newValue);
      written_.push_back({*s, k});
      MarkChanged(*s);
      return true;
    }
  }
  AppendKey(section, key).value = std::u16string(newValue);
  return true;
}

bool IniDocument::WriteSection(std::u16string_view section,
                               const std::optional<std::vector<std::u16string>>& entries) {
  if (!entries) return DeleteSection(section);
  bool changed = false;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (EqualsNoCase(sections_[i].name, section) && !sections_[i].keys.empty()) {
      sections_[i].keys.clear();
      if (!written_.empty()) needsFullReparse_ = true;
      written_.clear();
      MarkChanged(i);
      changed = true;
    }
  }
  // The list ends at its first empty entry; entries without "=" are skipped.
  for (const std::u16string& entry : *entries) {
    if (entry.empty()) break;
    const std::size_t eq = entry.find(u'=');
    if (eq == std::u16string::npos) continue;
    const std::u16string_view text(entry);
    AppendKey(section, text.substr(0, eq)).value = std::u16string(TrimLeft(text.substr(eq + 1)));
    changed = true;
  }
  return changed;
}

void IniDocument::Reparse() {
  if (written_.empty() && !needsFullReparse_) return;
  undoSections_.reset();
  undoLines_.clear();
  if (!needsFullReparse_) {
    // Each line written since the last re-read must come back as one line of the same kind;
    // anything else (a name holding a line break or a header) takes the full re-read.
    std::vector<ParsedLine> reread;
    for (const Written& w : written_) {
      std::u16string text;
      if (w.key) {
        AppendKeyLine(text, sections_[w.section].keys[*w.key]);
      } else {
        AppendSection(text, IniSection{sections_[w.section].name, {}});
      }
      std::size_t count = 0;
      ParseLines(text, [&](ParsedLine&& line) {
        if (++count == 1) reread.push_back(std::move(line));
      });
      bool namelessRun = false;
      if (w.key && count == 1 && reread.back().key.name.empty()) {
        const auto& keys = sections_[w.section].keys;
        namelessRun = (*w.key > 0 && keys[*w.key - 1].name.empty()) ||
                      (*w.key + 1 < keys.size() && keys[*w.key + 1].name.empty());
      }
      if (count != 1 || reread.back().header != !w.key || namelessRun) {
        needsFullReparse_ = true;
        break;
      }
    }
    if (!needsFullReparse_) {
      for (std::size_t i = 0; i < written_.size(); ++i) {
        const Written& w = written_[i];
        IniSection& section = sections_[w.section];
        if (w.key) {
          IniKey& key = section.keys[*w.key];
          undoLines_.emplace_back(w, key);
          key = std::move(reread[i].key);
        } else if (section.name != reread[i].key.name) {
          undoLines_.emplace_back(w, IniKey{section.name, std::nullopt});
          section.name = std::move(reread[i].key.name);
          indexValid_ = false;
        }
      }
      written_.clear();
      return;
    }
  }
  std::vector<IniSection> old = std::move(sections_);
  std::u16string text;
  for (const IniSection& section : old) AppendSection(text, section);
  sections_ = Parse(text).sections_;
  undoSections_ = std::move(old);
  written_.clear();
  needsFullReparse_ = HasStrayNamelessSection(sections_);
  indexValid_ = false;
  firstChanged_ = 0;
}

bool IniDocument::UndoReparse() {
  const bool restoring = undoSections_.has_value() || !undoLines_.empty();
  if (undoSections_) {
    sections_ = std::move(*undoSections_);
    undoSections_.reset();
    indexValid_ = false;
  }
  for (auto it = undoLines_.rbegin(); it != undoLines_.rend(); ++it) {
    IniSection& section = sections_[it->first.section];
    if (it->first.key) {
      section.keys[*it->first.key] = std::move(it->second);
    } else {
      section.name = std::move(it->second.name);
      indexValid_ = false;
    }
  }
  undoLines_.clear();
  return restoring;
}

void IniDocument::MarkParsed() {
  parsedCount_ = sections_.size();
  firstChanged_ = SIZE_MAX;
  undoSections_.reset();
  undoLines_.clear();
}

std::u16string IniDocument::SerializePrefix(std::size_t chars) const {
  std::u16string out;
  for (std::size_t i = 0; i < sections_.size() && out.size() < chars; ++i) AppendSection(out, sections_[i]);
  return out;
}

}  // namespace platform
