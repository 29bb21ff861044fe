// A host without Hidemaru_EvalMacro: GetWindowRectAll must give 0 here. The
// exit code is its result, or 2 when the rectangle itself is unreadable.
#include <windows.h>

#include "exports/api.h"

int main() {
  const HWND desktop = GetDesktopWindow();
  RECT r;
  if (!GetWindowRect(desktop, &r)) return 2;
  return static_cast<int>(GetWindowRectAll(reinterpret_cast<intptr_t>(desktop), L"rc"));
}
