#pragma once
// The private-profile (ini) document as the platform's profile functions see it: pure text in and
// out, no I/O. Parsing, lookups and writes follow the observable behaviour of the Windows functions
// (docs/profile-behaviour.md); names compare without regard to case.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/profile.h"

namespace platform {

struct IniKey {
  std::u16string name;
  std::optional<std::u16string> value;  // absent for a line without "="
};

struct IniSection {
  std::u16string name;  // empty for the lines before the first header; written without a header
  std::vector<IniKey> keys;
};

// The default of a string read, cut to the buffer as the string read does it. `unquote` applies the
// quote handling of a value (the string read does so except when the file's folder is missing).
ProfileString ProfileDefault(std::u16string_view defaultValue, std::uint32_t size, bool unquote);

class IniDocument {
 public:
  IniDocument();
  static IniDocument Parse(std::u16string_view text);
  // CRLF after every line, "[name]" headers, "name=value" or "name" keys; no blank lines.
  std::u16string Serialize() const;
  // The text of the sections from `first` on; used to append new sections to an unchanged file.
  std::u16string SerializeFrom(std::size_t first) const;

  const std::vector<IniSection>& Sections() const { return sections_; }

  // GetPrivateProfileString of one key (first matching section, first matching key).
  ProfileString ReadString(std::u16string_view section, std::u16string_view key,
                           std::u16string_view defaultValue, std::uint32_t size) const;
  // GetPrivateProfileInt of one key.
  std::int32_t ReadInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;

  // WritePrivateProfileString of one key; an absent value deletes the key. Returns whether the
  // document changed (a real function writes the file only then).
  bool WriteString(std::u16string_view section, std::u16string_view key,
                   std::optional<std::u16string_view> value);
  // WritePrivateProfileSection; an absent list deletes the section. Returns whether it changed.
  bool WriteSection(std::u16string_view section, const std::optional<std::vector<std::u16string>>& entries);

  // Brings the document to what a fresh parse of its own serialization gives: the real functions
  // re-read a file written moments ago before each write, trimming the names just written.
  // Cheap when only a few lines were written since the last call.
  void Reparse();
  // Undoes the last Reparse when nothing was written since, giving back the text the last write left.
  // Returns whether anything was given back.
  bool UndoReparse();
  // Takes the document as freshly parsed: nothing counts as changed, every section as read.
  void MarkParsed();
  // At least the first `chars` characters of Serialize() (fewer only when the whole text is shorter).
  std::u16string SerializePrefix(std::size_t chars) const;

  // Index of the first section changed since the parse (sections are only ever added at the end
  // otherwise); SIZE_MAX when nothing before the end was touched.
  std::size_t FirstChangedSection() const { return firstChanged_; }
  std::size_t ParsedSectionCount() const { return parsedCount_; }

 private:
  struct Written {
    std::size_t section;
    std::optional<std::size_t> key;  // absent: the section's header
  };
  std::optional<std::size_t> FindSection(std::u16string_view trimmedName) const;
  bool DeleteSection(std::u16string_view section);
  bool DeleteKey(std::u16string_view section, std::u16string_view key);
  IniKey& AppendKey(std::u16string_view section, std::u16string_view key);
  void MarkChanged(std::size_t section);
  void RebuildIndex() const;

  std::vector<IniSection> sections_;
  std::vector<Written> written_;  // lines to re-read before the next write
  // What the last Reparse replaced: whole sections, or single lines.
  std::optional<std::vector<IniSection>> undoSections_;
  std::vector<std::pair<Written, IniKey>> undoLines_;
  bool needsFullReparse_ = false;
  std::size_t firstChanged_ = SIZE_MAX;
  std::size_t parsedCount_ = 0;
  // Folded name -> first section of that name; rebuilt after sections move.
  mutable std::unordered_map<std::u16string, std::size_t> index_;
  mutable bool indexValid_ = false;
};

}  // namespace platform
