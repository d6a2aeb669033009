#pragma once
// What the path helpers need to know of this build's OS; defined in platform/<os>/path.cpp.
#include <cstddef>
#include <string_view>

namespace platform::detail {

// Length of a leading drive ("C:") that counts as a file-name boundary: 2 on Windows, 0 on POSIX.
std::size_t DriveLength(std::u16string_view path);

}  // namespace platform::detail
