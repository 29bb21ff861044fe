// A host without Hidemaru_EvalMacro: GetWindowRectAll (argument "window") or
// DwmGetWindowRectAll ("frame") must give 0 here. The exit code is its
// result, or 2 when the rectangle itself is unreadable.
#include <windows.h>

#include <cstring>

#include "exports/api.h"

int main(int argc, char** argv) {
  const bool frame = argc > 1 && std::strcmp(argv[1], "frame") == 0;
  const HWND window = CreateWindowExA(0, "STATIC", "rect", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                                      nullptr, nullptr);
  RECT r;
  if (!window || !GetWindowRect(window, &r)) return 2;
  if (frame && DwmGetWindowRect_Left(reinterpret_cast<intptr_t>(window)) == -1) return 2;
  const auto all = frame ? DwmGetWindowRectAll : GetWindowRectAll;
  return static_cast<int>(all(reinterpret_cast<intptr_t>(window), L"rc"));
}
