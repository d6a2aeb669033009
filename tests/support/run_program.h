#pragma once
// Running a program of the build (such as plugin-host) from a test, with its standard output and error
// both written into one file.
#include <string>
#include <vector>

namespace vorlane::test {

// Starts `arguments[0]` with the rest as its arguments and waits for it. Returns its exit status, or -1
// when it could not be started or did not exit normally. Windows: the arguments are quoted into one
// command line by the C runtime's rules.
int RunProgram(const std::vector<std::u16string>& arguments, const std::u16string& outputFile);

}  // namespace vorlane::test
