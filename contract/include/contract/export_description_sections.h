#pragma once
// Which numbered object sections a description file holds, found in one pass over its bytes, so that a
// reader given a huge object count visits only the sections that exist.
#include <cstdint>
#include <string_view>
#include <vector>

namespace contract {

// The numbers n in 1..count, ascending and once each, for which the file has a section that the ini reader
// would find under `prefix` followed by n ("OBJ" and 7 find [OBJ7] and [ obj7 ]). The bytes are read as
// the profile functions read them (platform::DecodeText): a byte-order mark names the encoding.
std::vector<std::int32_t> ObjectSectionNumbers(std::string_view fileBytes, std::u16string_view prefix,
                                               std::int32_t count);

}  // namespace contract
