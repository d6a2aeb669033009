#pragma once
// Runs a program of the build and waits for it, for tests that drive a tool as a user would.
#include <string>
#include <vector>

namespace vorlane::test {

// Starts `program` with `arguments` (passed as they are, each one argument), its standard output
// discarded, and waits up to two minutes. Returns its exit status, or -1 when it could not be started,
// did not end in time or ended by a signal.
int RunProgram(const std::u16string& program, const std::vector<std::u16string>& arguments);

}  // namespace vorlane::test
