#pragma once
// Runs a program of the build (such as plugin-host) from a test, as a user would, and waits for it.
#include <string>
#include <vector>

namespace vorlane::test {

// Starts `program` with `arguments` (each passed as one argument; Windows quotes them by the C runtime's
// rules) and waits up to two minutes. Standard output and error go into `outputFile` when one is given;
// otherwise standard output is discarded. Returns the exit status, or -1 when the program could not be
// started, did not end in time or ended by a signal.
int RunProgram(const std::u16string& program, const std::vector<std::u16string>& arguments,
               const std::u16string& outputFile = {});

}  // namespace vorlane::test
