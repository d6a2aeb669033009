// POSIX: a module's string table, read from the ELF note that the build put into the module.
#include "platform/string_resources.h"

#include <link.h>

#include <cstring>

#include "platform/string_table_note.h"

namespace platform {
namespace {

struct NoteSearch {
  std::uintptr_t module = 0;
  const unsigned char* descriptor = nullptr;
  std::size_t descriptorSize = 0;
};

std::uint32_t Read32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// Walks one PT_NOTE segment; notes are a 12-byte header, the name and the descriptor, each 4-aligned.
void FindTableNote(const unsigned char* notes, std::size_t size, NoteSearch& search) {
  std::size_t at = 0;
  while (size - at >= 12) {
    std::uint32_t nameSize, descriptorSize, type;
    std::memcpy(&nameSize, notes + at, 4);
    std::memcpy(&descriptorSize, notes + at + 4, 4);
    std::memcpy(&type, notes + at + 8, 4);
    const std::size_t nameAt = at + 12;
    const std::size_t paddedName = PaddedToFour(nameSize);
    if (paddedName > size - nameAt) return;
    const std::size_t descriptorAt = nameAt + paddedName;
    const std::size_t paddedDescriptor = PaddedToFour(descriptorSize);
    if (paddedDescriptor > size - descriptorAt) return;
    if (type == kStringTableNoteType && nameSize == sizeof(kStringTableNoteName) &&
        std::memcmp(notes + nameAt, kStringTableNoteName, sizeof(kStringTableNoteName)) == 0) {
      search.descriptor = notes + descriptorAt;
      search.descriptorSize = descriptorSize;
      return;
    }
    at = descriptorAt + paddedDescriptor;
  }
}

// The module handle is the module's load address; the loader's own list of program headers tells which
// loaded object covers it, so no header is read from memory that might not be mapped.
int VisitObject(dl_phdr_info* info, std::size_t, void* data) {
  auto& search = *static_cast<NoteSearch*>(data);
  bool covers = false;
  for (int i = 0; i < info->dlpi_phnum && !covers; ++i) {
    const auto& ph = info->dlpi_phdr[i];
    if (ph.p_type != PT_LOAD) continue;
    const std::uintptr_t start = info->dlpi_addr + (ph.p_vaddr & ~std::uintptr_t{0xfff});
    covers = search.module >= start && search.module < info->dlpi_addr + ph.p_vaddr + ph.p_memsz;
  }
  if (!covers) return 0;
  for (int i = 0; i < info->dlpi_phnum && search.descriptor == nullptr; ++i) {
    const auto& ph = info->dlpi_phdr[i];
    if (ph.p_type == PT_NOTE)
      FindTableNote(reinterpret_cast<const unsigned char*>(info->dlpi_addr + ph.p_vaddr), ph.p_memsz, search);
  }
  return 1;
}

}  // namespace

std::optional<std::u16string> LoadModuleString(void* module, std::uint32_t id) {
  if (module == nullptr) return std::nullopt;
  NoteSearch search;
  search.module = reinterpret_cast<std::uintptr_t>(module);
  dl_iterate_phdr(&VisitObject, &search);
  const unsigned char* table = search.descriptor;
  std::size_t at = 0;
  while (table != nullptr && search.descriptorSize - at >= 8) {
    const std::uint32_t entryId = Read32(table + at);
    const std::size_t length = Read32(table + at + 4);
    if (length > search.descriptorSize - at - 8) break;
    if (entryId == id) {
      // The table holds 8-bit text; each byte is the code unit of the same value, as the resource
      // compiler's Latin-1 reading gives it on Windows.
      std::u16string text;
      for (std::size_t i = 0; i < length; ++i) text.push_back(table[at + 8 + i]);
      return text;
    }
    at += 8 + PaddedToFour(length);
  }
  return std::nullopt;
}

}  // namespace platform
