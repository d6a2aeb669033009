#pragma once
// The private-profile (ini) document as one reading of a file gives it: pure text in and out, no I/O and
// no memory of earlier states. Lookups and writes follow the observable behaviour of the Windows
// functions (docs/profile-behaviour.md); names compare without regard to case.
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

// What one write did: nothing, one key line set or added (with its new section's header), or lines
// removed or moved (a delete, a section write).
struct IniEdit {
  enum Kind { None, Line, Lines } kind = None;
  std::size_t section = 0;
  std::size_t key = 0;
  bool newSection = false;
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
  // The lines of a header and of a key as Serialize() writes them, added to `out`; a nameless
  // section's header is not written.
  static void AppendHeaderLine(std::u16string& out, std::u16string_view name);
  static void AppendKeyLine(std::u16string& out, const IniKey& key);
  // The first line Serialize() gives; empty for an empty document.
  std::u16string FirstLine() const;

  const std::vector<IniSection>& Sections() const { return sections_; }
  // A nameless section after the first: its header is not written, so its keys join the section before.
  bool HasStrayNamelessSection() const { return strayNameless_ > 0; }

  // GetPrivateProfileString of one key (first matching section, first matching key).
  ProfileString ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                           std::uint32_t size) const;
  // GetPrivateProfileInt of one key.
  std::int32_t ReadInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;

  // WritePrivateProfileString of one key; an absent value deletes the key.
  IniEdit WriteString(std::u16string_view section, std::u16string_view key, std::optional<std::u16string_view> value);
  // WritePrivateProfileSection; an absent list deletes the section.
  IniEdit WriteSection(std::u16string_view section, const std::optional<std::vector<std::u16string>>& entries);

  // Whether a section of this (trimmed) name exists.
  bool HasSection(std::u16string_view trimmedName) const { return FindSection(trimmedName).has_value(); }
  // Adds a named section with its keys at the end, as a reading of the file gives them.
  void AppendSection(IniSection section);

  // Replaces a line with the form a reading of the file gives it.
  void SetKey(std::size_t section, std::size_t key, IniKey line) { sections_[section].keys[key] = std::move(line); }
  void RenameSection(std::size_t section, std::u16string name);
  // Drops every section before `first`, and the keys before the first header: what stays is the
  // document's end, behind an empty nameless section.
  void DropSectionsBefore(std::size_t first);

 private:
  std::optional<std::size_t> FindSection(std::u16string_view trimmedName) const;
  IniEdit AppendKey(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  void SectionsMoved();

  std::vector<IniSection> sections_;
  std::size_t strayNameless_ = 0;  // nameless sections after the first
  // Folded name -> first section of that name: a lookup table over sections_, rebuilt when names move.
  mutable std::unordered_map<std::u16string, std::size_t> index_;
  mutable bool indexValid_ = false;
  // The last name looked up as given, and its section: a record's keys name one section in a row.
  mutable std::u16string lastName_;
  mutable std::optional<std::size_t> lastSection_;
};

}  // namespace platform
