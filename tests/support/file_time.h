#pragma once
// Setting a file's last-write time to an exact file time (100 ns steps since 1601 UTC), which the
// standard library cannot do to the 100 ns on every build.
#include <cstdint>
#include <string>

namespace vorlane::test {

// False when the time could not be set.
bool SetLastWriteTime(const std::u16string& path, std::uint64_t fileTime);

}  // namespace vorlane::test
