#pragma once
// What the fake player records of its own start, in the form each OS hands a program its arguments.
#include <string>

namespace vorlane::test {

// Windows: the raw command line, as UTF-8. POSIX, which has none: the arguments, one per line.
std::string PlayerStartRecord(int argc, char** argv);

}  // namespace vorlane::test
