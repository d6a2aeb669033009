// POSIX: no COM exists, so nothing can be registered.
#include "com_registration.h"

namespace vorlane::test {

bool RegisterLocalServer(const std::u16string&, const std::u16string&, const std::u16string&) { return false; }

}  // namespace vorlane::test
