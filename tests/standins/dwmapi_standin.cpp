// A stand-in for the desktop window manager's dwmapi.dll, loaded instead of
// Wine's through WINEDLLOVERRIDES: composition is on, and every window's
// visible frame lies 7 pixels inside its window rectangle on the left, right
// and bottom (the invisible resize borders of a themed window), flush at the top.
#include <windows.h>

namespace {
constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
int g_failing = 0;  // 1: the composition query fails; 2: no frame can be read
}

// Lets a test make the stand-in fail as a real one may.
extern "C" __declspec(dllexport) void lorimax_dwm_standin_fail(int which) { g_failing = which; }

extern "C" __declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return E_INVALIDARG;
  if (g_failing == 1) return E_FAIL;
  *enabled = TRUE;
  return S_OK;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DwmGetWindowAttribute(HWND window, DWORD attribute, void* value,
                                                                      DWORD size) {
  if (attribute != kExtendedFrameBounds || size != sizeof(RECT) || !value) return E_INVALIDARG;
  if (g_failing == 2) return E_ACCESSDENIED;
  RECT r;
  if (!IsWindow(window) || !GetWindowRect(window, &r)) return E_HANDLE;
  r.left += 7;
  r.right -= 7;
  r.bottom -= 7;
  *static_cast<RECT*>(value) = r;
  return S_OK;
}

// Lets a test make sure that it runs against this stand-in.
extern "C" __declspec(dllexport) int lorimax_dwm_standin() { return 1; }
