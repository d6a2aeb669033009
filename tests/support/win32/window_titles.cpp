// Windows: EnumThreadWindows over the calling thread, comparing each window's text.
#include "window_titles.h"

#include <windows.h>

#include <string>

namespace vorlane::test {
namespace {

struct Count {
  std::u16string title;
  int found = 0;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM context) {
  Count& count = *reinterpret_cast<Count*>(context);
  wchar_t text[256] = {};
  const int length = GetWindowTextW(window, text, 256);
  if (std::u16string(text, text + length) == count.title) ++count.found;
  return TRUE;
}

}  // namespace

int ThreadWindowsTitled(std::u16string_view title) {
  Count count{std::u16string(title)};
  EnumThreadWindows(GetCurrentThreadId(), CountTitled, reinterpret_cast<LPARAM>(&count));
  return count.found;
}

}  // namespace vorlane::test
