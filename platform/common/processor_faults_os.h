#pragma once
// What the text probe needs to know of this build's OS; defined in platform/<os>/processor_faults.cpp.
#include <cstddef>

namespace platform::detail {

// The size of a memory page, in bytes.
std::size_t PageBytes();

// Whether the page that holds `address` can be read, found without touching it.
bool PageReadable(const void* address);

}  // namespace platform::detail
