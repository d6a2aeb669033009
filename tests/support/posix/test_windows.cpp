// POSIX: no real windows exist.
#include "test_windows.h"

namespace vorlane::test {

struct TestWindows::State {};

TestWindows::TestWindows() = default;
TestWindows::~TestWindows() = default;
bool TestWindows::Exist() { return false; }
platform::WindowHandle TestWindows::AddTopLevel(std::u16string_view, std::u16string_view) { return nullptr; }
platform::WindowHandle TestWindows::AddChild(platform::WindowHandle, std::u16string_view) { return nullptr; }

}  // namespace vorlane::test
