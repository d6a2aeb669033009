#pragma once
// Private-profile (ini) files. Both builds: our own profile store over the OS's file calls, with the
// observable behaviour of the platform's profile functions (see docs/profile-behaviour.md), lines ending
// in CRLF. Text without a byte-order mark is in the build's 8-bit form (Windows: the ANSI code page;
// POSIX: UTF-8), and POSIX reaches names without regard to case.
// All calls are synchronous and open, read or write, and close the file within the call.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ProfileString {
  std::u16string value;   // at most size - 1 characters
  std::uint32_t count = 0;  // characters stored, as the platform's string read returns it
};

// One key write of a batch; an absent value deletes the key.
struct ProfileWrite {
  std::u16string section;
  std::u16string key;
  std::optional<std::u16string> value;
};

// One section of a run of section writes: its keys in the order they are written.
struct ProfileKey {
  std::u16string key;
  std::u16string value;
};
struct ProfileSectionWrite {
  std::u16string name;
  std::vector<ProfileKey> entries;
};

// One key read of a run of reads; the texts must outlive the call.
struct ProfileRead {
  std::u16string_view section;
  std::u16string_view key;
  std::u16string_view defaultValue;
  std::uint32_t size = 1;
};

class Profile {
 public:
  virtual ~Profile() = default;

  // GetPrivateProfileString with a buffer of `size` characters (size >= 1): the value, or the default,
  // cut to size - 1 characters. A missing file, section or key gives the default.
  virtual ProfileString ReadString(std::u16string_view file, std::u16string_view section,
                                   std::u16string_view key, std::u16string_view defaultValue,
                                   std::uint32_t size) = 0;

  // One ReadString per entry of `reads`, in order, with the file examined once where the build can: the
  // same results while nobody else writes the file.
  virtual std::vector<ProfileString> ReadStrings(std::u16string_view file, const std::vector<ProfileRead>& reads) {
    std::vector<ProfileString> out;
    out.reserve(reads.size());
    for (const ProfileRead& r : reads) out.push_back(ReadString(file, r.section, r.key, r.defaultValue, r.size));
    return out;
  }

  // GetPrivateProfileInt: the platform's integer parse of the value (non-numbers give 0), or the
  // default when the file, section, key or value is missing or empty.
  virtual std::int32_t ReadInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                               std::int32_t defaultValue) = 0;

  // WritePrivateProfileString. An absent value deletes the key. Returns false when the file could not be
  // written (missing directory, read-only file or directory, full disk).
  virtual bool WriteString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                           std::optional<std::u16string_view> value) = 0;

  // WritePrivateProfileSection with "key=value" entries; an absent list deletes the section.
  virtual bool WriteSection(std::u16string_view file, std::u16string_view section,
                            const std::optional<std::vector<std::u16string>>& entries) = 0;

  // Applies `writes` in order with the same result, byte for byte, as one WriteString per entry would
  // give, but reads the file once and writes it once (or appends, when only new sections were added at
  // the end). Returns false, leaving the file as it was, when it could not be written.
  virtual bool WriteBatch(std::u16string_view file, const std::vector<ProfileWrite>& writes) = 0;

  // WriteBatch of every key of `sections`, in order: the same result, byte for byte, as one WriteString
  // per key. Where each section is new to the file, it is added whole.
  virtual bool WriteSections(std::u16string_view file, const std::vector<ProfileSectionWrite>& sections) {
    std::vector<ProfileWrite> writes;
    for (const ProfileSectionWrite& section : sections) {
      for (const ProfileKey& entry : section.entries) writes.push_back({section.name, entry.key, entry.value});
    }
    return WriteBatch(file, writes);
  }

  // For each of `sections`, whether every one of its keys reads back (ReadString with an empty default
  // into `size` characters) as the value written; the file is examined once.
  virtual std::vector<bool> SectionsReadBack(std::u16string_view file, const std::vector<ProfileSectionWrite>& sections,
                                             std::uint32_t size) {
    std::vector<ProfileRead> reads;
    for (const ProfileSectionWrite& section : sections) {
      for (const ProfileKey& entry : section.entries) reads.push_back({section.name, entry.key, u"", size});
    }
    const std::vector<ProfileString> read = ReadStrings(file, reads);
    std::vector<bool> intact;
    intact.reserve(sections.size());
    std::size_t at = 0;
    for (const ProfileSectionWrite& section : sections) {
      bool same = true;
      for (const ProfileKey& entry : section.entries) same = read[at++].value == entry.value && same;
      intact.push_back(same);
    }
    return intact;
  }

  // Writes the file again with the bytes it holds (a missing one is created empty), so that its
  // last-write time is the file system's present moment even when no value changes: a write of a value
  // that is already there leaves the file alone. False when the file could not be written.
  virtual bool Touch(std::u16string_view file) = 0;
};

// Where a rewrite of `file` prepares the new copy that then replaces it: beside it, under its name and
// ".new". A rewrite cut short by a crash can leave it behind; the next rewrite of the file takes it over.
std::u16string ProfileReplacementPath(std::u16string_view file);

}  // namespace platform
