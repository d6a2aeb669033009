#pragma once
// The local machine's App Paths entries of WaveLab, as a test sets them up on each build.
#include <string>
#include <utility>
#include <vector>

#include "temp_dir.h"

namespace vorlane::test {

// Replaces the three WaveLab App Paths keys by `keys` (key name below App Paths -> default value); an
// empty list removes them all. Windows: the real registry. POSIX: a registry file in `dir`.
void SetWaveLabAppPaths(const std::vector<std::pair<std::u16string, std::u16string>>& keys, const TempDir& dir);

// Sets or clears the read-only attribute of a file. Returns whether the file now refuses to be opened
// for writing: an administrator (POSIX, and Wine run by one) writes read-only files all the same.
bool SetReadOnly(const std::u16string& path, bool readOnly);

}  // namespace vorlane::test
