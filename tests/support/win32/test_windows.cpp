// Windows: hidden windows of classes registered by the test, on the calling thread.
#include "test_windows.h"

#include <windows.h>

#include <string>
#include <vector>

namespace vorlane::test {

struct TestWindows::State {
  std::vector<HWND> windows;  // in creation order; children after their parents
  std::vector<std::wstring> classes;
};

namespace {

std::wstring WideOf(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

TestWindows::TestWindows() : state_(std::make_unique<State>()) {}

TestWindows::~TestWindows() {
  for (auto w = state_->windows.rbegin(); w != state_->windows.rend(); ++w) DestroyWindow(*w);
  for (const std::wstring& name : state_->classes) UnregisterClassW(name.c_str(), GetModuleHandleW(nullptr));
}

bool TestWindows::Exist() { return true; }

namespace {

void Register(std::vector<std::wstring>& classes, const std::wstring& name) {
  for (const std::wstring& known : classes) {
    if (known == name) return;
  }
  WNDCLASSW type{};
  type.lpfnWndProc = DefWindowProcW;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = name.c_str();
  if (RegisterClassW(&type) != 0) classes.push_back(name);
}

}  // namespace

platform::WindowHandle TestWindows::AddTopLevel(std::u16string_view className, std::u16string_view title) {
  const std::wstring name = WideOf(className);
  Register(state_->classes, name);
  // Under Wine a desktop that is still starting refuses the first windows for a moment.
  HWND window = nullptr;
  for (const ULONGLONG deadline = GetTickCount64() + 10000; window == nullptr && GetTickCount64() < deadline;) {
    window = CreateWindowExW(0, name.c_str(), WideOf(title).c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) Sleep(50);
  }
  if (window != nullptr) state_->windows.push_back(window);
  return window;
}

platform::WindowHandle TestWindows::AddChild(platform::WindowHandle parent, std::u16string_view className) {
  const std::wstring name = WideOf(className);
  Register(state_->classes, name);
  HWND window = CreateWindowExW(0, name.c_str(), L"", WS_CHILD, 0, 0, 50, 50, static_cast<HWND>(parent), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) state_->windows.push_back(window);
  return window;
}

}  // namespace vorlane::test
