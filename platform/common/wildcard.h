#pragma once
// File-name patterns as the file search matches them.
#include <string_view>

namespace platform {

// True when `name` matches `pattern`: "*" any run of characters, "?" exactly one, everything else
// itself without regard to case. "*.*" matches every name, dots or not, as on Windows.
bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name);

// True when the text holds "*" or "?".
bool HasWildcard(std::u16string_view text);

}  // namespace platform
