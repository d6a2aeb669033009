// The private-profile document model shared by both builds.
#include "ini_document.h"

#include "platform/ini_lines.h"
#include "platform/text.h"

namespace platform {

ProfileString ProfileDefault(std::u16string_view defaultValue, std::uint32_t size, bool unquote) {
  // Only blanks proper are cut from the end of a default, and never its first character.
  while (defaultValue.size() > 1 && defaultValue.back() == u' ') defaultValue.remove_suffix(1);
  return IniValueAsRead(defaultValue, size, unquote);
}

void IniDocument::AppendKeyLine(std::u16string& out, const IniKey& key) {
  out += key.name;
  if (key.value) {
    out += u'=';
    out += *key.value;
  }
  out += u"\r\n";
}

void IniDocument::AppendHeaderLine(std::u16string& out, std::u16string_view name) {
  if (name.empty()) return;
  out += u'[';
  out += name;
  out += u"]\r\n";
}

IniDocument::IniDocument() : sections_(1) {}

IniDocument IniDocument::Parse(std::u16string_view text) {
  IniDocument doc;
  ForEachIniLine(text, [&doc](const IniLine& line) {
    auto& keys = doc.sections_.back().keys;
    if (line.header) {
      doc.sections_.push_back(IniSection{std::u16string(line.name), {}});
      if (line.name.empty()) ++doc.strayNameless_;
    } else if (!line.name.empty() || keys.empty() || !keys.back().name.empty()) {
      // A run of nameless keys in a section keeps only its first.
      std::optional<std::u16string> value;
      if (line.value) value = std::u16string(*line.value);
      keys.push_back(IniKey{std::u16string(line.name), std::move(value)});
    }
  });
  return doc;
}

std::u16string IniDocument::Serialize() const {
  std::u16string out;
  for (const IniSection& section : sections_) {
    AppendHeaderLine(out, section.name);
    for (const IniKey& key : section.keys) AppendKeyLine(out, key);
  }
  return out;
}

std::u16string IniDocument::FirstLine() const {
  std::u16string out;
  for (const IniSection& section : sections_) {
    if (!section.name.empty()) {
      AppendHeaderLine(out, section.name);
      break;
    }
    if (!section.keys.empty()) {
      AppendKeyLine(out, section.keys.front());
      break;
    }
  }
  return out;
}

void IniDocument::SectionsMoved() {
  indexValid_ = false;
  lastSection_.reset();
  strayNameless_ = 0;
  for (std::size_t i = 1; i < sections_.size(); ++i)
    if (sections_[i].name.empty()) ++strayNameless_;
}

void IniDocument::RenameSection(std::size_t section, std::u16string name) {
  sections_[section].name = std::move(name);
  SectionsMoved();
}

void IniDocument::AppendSection(IniSection section) {
  sections_.push_back(std::move(section));
  if (sections_.back().name.empty()) ++strayNameless_;
  if (indexValid_) index_.emplace(FoldedText(sections_.back().name), sections_.size() - 1);
}

void IniDocument::DropSectionsBefore(std::size_t first) {
  if (first > 1) sections_.erase(sections_.begin() + 1, sections_.begin() + static_cast<std::ptrdiff_t>(first));
  if (first > 0) sections_.front() = IniSection{};
  SectionsMoved();
}

std::optional<std::size_t> IniDocument::FindSection(std::u16string_view trimmedName) const {
  if (lastSection_ && trimmedName == lastName_) return lastSection_;
  if (!indexValid_) {
    index_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i) index_.emplace(FoldedText(sections_[i].name), i);
    indexValid_ = true;
  }
  const auto it = index_.find(FoldedText(trimmedName));
  if (it == index_.end()) return std::nullopt;
  lastName_ = trimmedName;
  lastSection_ = it->second;
  return it->second;
}

ProfileString IniDocument::ReadString(std::u16string_view section, std::u16string_view key,
                                      std::u16string_view defaultValue, std::uint32_t size) const {
  if (const auto s = FindSection(TrimIniBlanks(section))) {
    const std::u16string_view name = TrimIniBlanks(key);
    for (const IniKey& k : sections_[*s].keys) {
      if (EqualsNoCase(k.name, name)) {
        if (k.value) return IniValueAsRead(*k.value, size, true);
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
  return IniIntegerFromText(text.value);
}

IniEdit IniDocument::AppendKey(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  IniEdit edit{IniEdit::Line};
  if (const auto found = FindSection(TrimIniBlanks(section))) {
    edit.section = *found;
  } else {
    // New names lose only their leading blanks; the next reading of the file trims the rest.
    edit.section = sections_.size();
    edit.newSection = true;
    sections_.push_back(IniSection{std::u16string(TrimIniBlanksLeft(section)), {}});
    if (sections_.back().name.empty()) ++strayNameless_;
    if (indexValid_) index_.emplace(FoldedText(sections_.back().name), edit.section);
  }
  auto& keys = sections_[edit.section].keys;
  keys.push_back(IniKey{std::u16string(TrimIniBlanksLeft(key)), std::u16string(value)});
  edit.key = keys.size() - 1;
  return edit;
}

IniEdit IniDocument::WriteString(std::u16string_view section, std::u16string_view key,
                                 std::optional<std::u16string_view> value) {
  if (!value) {
    // A delete compares the names as given and searches every section of that name.
    for (IniSection& s : sections_) {
      if (!EqualsNoCase(s.name, section)) continue;
      for (std::size_t k = 0; k < s.keys.size(); ++k) {
        if (EqualsNoCase(s.keys[k].name, key)) {
          s.keys.erase(s.keys.begin() + static_cast<std::ptrdiff_t>(k));
          return IniEdit{IniEdit::Lines};
        }
      }
    }
    return {};
  }
  const std::u16string_view newValue = TrimIniBlanksLeft(*value);
  if (const auto s = FindSection(TrimIniBlanks(section))) {
    const std::u16string_view name = TrimIniBlanks(key);
    auto& keys = sections_[*s].keys;
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (!EqualsNoCase(keys[k].name, name)) continue;
      if (keys[k].value && *keys[k].value == newValue) return {};
      keys[k].value = std::u16string(newValue);
      return IniEdit{IniEdit::Line, *s, k, false};
    }
  }
  return AppendKey(section, key, newValue);
}

IniEdit IniDocument::WriteSection(std::u16string_view section,
                                  const std::optional<std::vector<std::u16string>>& entries) {
  if (!entries) {
    for (std::size_t i = 0; i < sections_.size(); ++i) {
      if (EqualsNoCase(sections_[i].name, section)) {
        sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
        SectionsMoved();
        return IniEdit{IniEdit::Lines};
      }
    }
    return {};
  }
  bool changed = false;
  for (IniSection& s : sections_) {
    if (EqualsNoCase(s.name, section) && !s.keys.empty()) {
      s.keys.clear();
      changed = true;
    }
  }
  // The list ends at its first empty entry; entries without "=" are skipped.
  for (const std::u16string& entry : *entries) {
    if (entry.empty()) break;
    const std::size_t eq = entry.find(u'=');
    if (eq == std::u16string::npos) continue;
    const std::u16string_view text(entry);
    AppendKey(section, text.substr(0, eq), TrimIniBlanksLeft(text.substr(eq + 1)));
    changed = true;
  }
  return changed ? IniEdit{IniEdit::Lines} : IniEdit{};
}

}  // namespace platform
