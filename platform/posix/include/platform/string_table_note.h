#pragma once
// POSIX: the layout of a module's string table. The build compiles each receive plug-in's strings.inc into
// one ELF note (section ".note.vorlane.strings", which the linker maps into a PT_NOTE segment), so that
// the table is found from the module's load address through its program headers, with no exported symbol.
// Note: name "Vorlane" (type kStringTableNoteType); descriptor: entries of a 32-bit id, a 32-bit byte
// count, then that many 8-bit characters padded with zeros to a multiple of 4.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform {

inline constexpr std::uint32_t kStringTableNoteType = 0x5354524eu;  // "STRN"
inline constexpr char kStringTableNoteName[8] = "Vorlane";

struct StringTableEntry {
  std::uint32_t id;
  std::string_view text;
};

constexpr std::size_t PaddedToFour(std::size_t n) { return (n + 3) / 4 * 4; }

template <std::size_t N>
constexpr std::size_t StringTableDescriptorSize(const StringTableEntry (&entries)[N]) {
  std::size_t size = 0;
  for (const auto& entry : entries) size += 8 + PaddedToFour(entry.text.size());
  return size;
}

template <std::size_t DescriptorSize>
struct alignas(4) StringTableNote {
  std::uint32_t nameSize = sizeof(kStringTableNoteName);
  std::uint32_t descriptorSize = DescriptorSize;
  std::uint32_t type = kStringTableNoteType;
  std::array<char, sizeof(kStringTableNoteName)> name{};
  std::array<unsigned char, DescriptorSize> descriptor{};
};

template <std::size_t DescriptorSize, std::size_t N>
constexpr StringTableNote<DescriptorSize> MakeStringTableNote(const StringTableEntry (&entries)[N]) {
  StringTableNote<DescriptorSize> note{};
  for (std::size_t i = 0; i < sizeof(kStringTableNoteName); ++i) note.name[i] = kStringTableNoteName[i];
  std::size_t at = 0;
  auto put32 = [&](std::uint32_t v) {
    for (int b = 0; b < 4; ++b) note.descriptor[at++] = static_cast<unsigned char>(v >> (8 * b));
  };
  for (const auto& entry : entries) {
    put32(entry.id);
    put32(static_cast<std::uint32_t>(entry.text.size()));
    for (char c : entry.text) note.descriptor[at++] = static_cast<unsigned char>(c);
    at = PaddedToFour(at);
  }
  return note;
}

}  // namespace platform

// Defines the module's string table from an array of StringTableEntry. Used once per module, by the
// source that the build generates from strings.inc.
#define VORLANE_MODULE_STRING_TABLE(entries)                                                        \
  [[gnu::used, gnu::section(".note.vorlane.strings")]] alignas(4) constexpr auto vorlane_module_string_table = \
      ::platform::MakeStringTableNote<::platform::StringTableDescriptorSize(entries)>(entries)
