#pragma once
// A file that refuses to be written, for the paths that must cope with one.
#include <string>

namespace vorlane::test {

// Sets or clears the read-only attribute of a file. Returns whether the file now refuses to be opened
// for writing: an administrator (POSIX, and Wine run by one) writes read-only files all the same.
bool SetReadOnly(const std::u16string& path, bool readOnly);

}  // namespace vorlane::test
