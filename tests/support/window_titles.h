#pragma once
// Counting a test's own windows by their title, for windows the code under test makes without handing
// them out (such as the drag placeholder).
#include <string_view>

namespace vorlane::test {

// This thread's top-level windows, hidden ones included, whose title is exactly `title`. POSIX: 0,
// there are no windows.
int ThreadWindowsTitled(std::u16string_view title);

}  // namespace vorlane::test
