// POSIX: no windows exist.
#include "window_titles.h"

namespace vorlane::test {

int ThreadWindowsTitled(std::u16string_view) { return 0; }

}  // namespace vorlane::test
