#pragma once
// Registers a test's out-of-process COM server: the class's local server program and the type library
// that describes its interface (whose marshaller carries the calls between the processes). Windows:
// the registry of the test's Wine prefix. POSIX: there is no COM; returns false.
#include <string>

namespace vorlane::test {

bool RegisterLocalServer(const std::u16string& classId, const std::u16string& serverPath,
                         const std::u16string& typeLibraryPath);

}  // namespace vorlane::test
