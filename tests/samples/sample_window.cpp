// Stands in for the editor while a sample's twin runs: a shown window of the
// editor's class with a Japanese caption at a fixed place, owning a display
// text on the clipboard. Runs the rest of its command line (lmx and a script)
// as a child, answering the window's messages meanwhile, and exits with the
// child's exit code.
#include <windows.h>

int main() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = L"Hidemaru32Class";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"lorimax サンプル - 秀丸", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                                nullptr, nullptr, nullptr, nullptr);
  if (!window) return 2;
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  const char text[] = "\x8FG\x8A\xDB\x82\xCC\x83N\x83\x8A\x83" "b\x83v\x83{\x81[\x83h";  // 秀丸のクリップボード
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
  CopyMemory(GlobalLock(block), text, sizeof text);
  GlobalUnlock(block);
  OpenClipboard(window);
  EmptyClipboard();  // the window becomes the owner
  SetClipboardData(CF_DSPTEXT, block);
  CloseClipboard();

  // What follows this program's own name, quoted or not.
  wchar_t* rest = GetCommandLineW();
  const wchar_t end = *rest == L'"' ? *rest++ : L' ';
  while (*rest && *rest != end) ++rest;
  while (*rest == L'"' || *rest == L' ') ++rest;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  if (!CreateProcessW(nullptr, rest, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) return 2;
  // Messages arrived: answer them; the child ended, or the wait failed: stop.
  while (MsgWaitForMultipleObjects(1, &child.hProcess, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  DWORD code = 2;
  GetExitCodeProcess(child.hProcess, &code);
  return static_cast<int>(code);
}
