// Windows: holds Wine's desktop open for a whole test run. Wine ends its desktop process once no program
// uses it; the next test program then starts a new one, which keeps that test's output open until it
// ends again, seconds later.
#include <windows.h>

int main() {
  GetDesktopWindow();
  Sleep(INFINITE);
  return 0;
}
