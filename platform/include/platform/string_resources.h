#pragma once
// A module's own string table, as the receive plug-ins carry it.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// String `id` of the module whose handle is `module`. Nothing when the module has no such string.
// Windows: the module's STRINGTABLE resource through LoadStringW. POSIX: the table that the build puts
// into the module's notes (see platform/string_table_note.h), found from its program headers.
// Never blocks; reads only memory of the loaded module.
std::optional<std::u16string> LoadModuleString(void* module, std::uint32_t id);

}  // namespace platform
