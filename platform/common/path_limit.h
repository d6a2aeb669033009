#pragma once
// The longest path the file functions accept: a wide path buffer of 260 characters with its terminator.
#include <cstddef>
#include <string_view>

namespace platform {

inline constexpr std::size_t kMaxPathChars = 259;

inline bool WithinPathLimit(std::u16string_view path) { return !path.empty() && path.size() <= kMaxPathChars; }

}  // namespace platform
