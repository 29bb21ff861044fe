// The desktop helpers under Wine's null display driver, with windows of the
// test's own: key strokes received by a focused window, the clipboard's
// display text and owner, the executable behind a window, HTML Help.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exports/api.h"
#include "text.h"

namespace {

using std::string;

struct KeyEvent {
  UINT key;
  bool up;
  UINT scan;
  bool extended;
  bool operator==(const KeyEvent&) const = default;
};
void PrintTo(const KeyEvent& e, std::ostream* os) {
  *os << (e.up ? "up " : "down ") << e.key << " scan " << e.scan << (e.extended ? " extended" : "");
}
std::vector<KeyEvent> g_keys;

LRESULT CALLBACK record_keys(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
    g_keys.push_back({static_cast<UINT>(w), (l >> 31 & 1) != 0, static_cast<UINT>(l >> 16 & 0xFF), (l >> 24 & 1) != 0});
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

HWND test_window(const char* caption) {
  static const ATOM atom = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = record_keys;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "lorimax_desktop_test";
    return RegisterClassA(&wc);
  }();
  return CreateWindowExA(0, MAKEINTATOM(atom), caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Handles the messages that arrive until the queue stays quiet for a while.
void pump() {
  MSG msg;
  while (MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT) == WAIT_OBJECT_0)
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TEST(Keys, EventsReachTheFocusedWindow) {
  const HWND window = test_window("keys");
  SetForegroundWindow(window);
  SetFocus(window);
  pump();
  ASSERT_EQ(GetFocus(), window);
  // Every event is sent with the extended-key flag; Wine's key messages drop
  // it for Shift alone.
  const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  auto event = [wine](UINT key, bool up) {
    return KeyEvent{key, up, MapVirtualKeyA(key, MAPVK_VK_TO_VSC) & 0xFF, !(wine && key == VK_SHIFT)};
  };
  auto down = [&](UINT key) { return event(key, false); };
  auto up = [&](UINT key) { return event(key, true); };
  const UINT A = 'A';
  const std::vector<KeyEvent> with_all_three = {down(VK_MENU), down(VK_CONTROL), down(VK_SHIFT), down(A),
                                                up(A),         up(VK_SHIFT),     up(VK_CONTROL), up(VK_MENU)};
  struct Case {
    intptr_t key, modifiers, result;
    std::vector<KeyEvent> events;
  } cases[] = {
      {A, 0, 1, {down(A), up(A)}},
      {A, 2, 1, {down(VK_CONTROL), down(A), up(A), up(VK_CONTROL)}},
      {A, 7, 1, with_all_three},
      {A, -1, 1, with_all_three},  // the bits of a negative set are read like any others
      {A, -8, 1, {down(A), up(A)}},
      {-1, 0, 1, {down(0xFF), up(0xFF)}},  // a negative key goes on as its low byte
      {256, 0, 0, {}},
      {A, 8, 0, {}},
  };
  for (const auto& c : cases) {
    g_keys.clear();
    EXPECT_EQ(SendKeyPress(c.key, c.modifiers), c.result) << c.key << " " << c.modifiers;
    pump();
    EXPECT_EQ(g_keys, c.events) << c.key << " " << c.modifiers;
  }
  DestroyWindow(window);
}

// Puts one block of `format` with the bytes (and a terminator, unless told
// not to) on the clipboard, opened by `owner`, which becomes its owner.
void put_clipboard(HWND owner, UINT format, const string& bytes, bool terminated = true) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  if (format) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + terminated);
    char* p = static_cast<char*>(GlobalLock(block));
    memcpy(p, bytes.data(), bytes.size() + terminated);
    GlobalUnlock(block);
    SetClipboardData(format, block);
  }
  CloseClipboard();
}

TEST(Clipboard, DisplayTextAndOwner) {
  const HWND owner = test_window("clipboard owner");
  const HWND other = test_window("other opener");
  struct Case {
    UINT format;
    string bytes;
    bool found, terminated = true;
  } cases[] = {
      // A block without a terminator: its text ends with the block.
      {CF_DSPTEXT, "0123456789abcdef", true, false}, {CF_DSPTEXT, string(4096, 'u'), true, false},
      {CF_DSPTEXT, sjis(u8"表示テキスト"), true},
      {CF_DSPTEXT, string(5000, 'd'), true},  // grows the result buffer
      {CF_DSPTEXT, string(999999, 'c'), true},  // with its terminator exactly the cap
      {CF_DSPTEXT, string(1000000, 'c'), false},
      {CF_TEXT, "only ordinary text", false},
      {0, "", false},
  };
  for (const auto& c : cases) {
    put_clipboard(owner, c.format, c.bytes, c.terminated);
    const char* text = GetClipboardDSPTEXT(reinterpret_cast<intptr_t>(other));
    EXPECT_EQ(text == GetResult(), c.found) << c.bytes.size();
    EXPECT_TRUE(string(text) == (c.found ? c.bytes : "")) << c.bytes.size();
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);  // left closed
    EXPECT_EQ(GetClipboardOwnerHandle(), reinterpret_cast<intptr_t>(owner));
  }
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(GetClipboardOwnerHandle(), 0);
  DestroyWindow(owner);
  DestroyWindow(other);
}

string full_path(const char* file) {
  char path[MAX_PATH];
  GetFullPathNameA(file, MAX_PATH, path, nullptr);
  return path;
}

TEST(WindowFile, OwnAndAnotherProcess) {
  char own[MAX_PATH];
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  const HWND window = test_window("own window");
  EXPECT_EQ(string(GetFileNameFromHwnd(reinterpret_cast<intptr_t>(window))), own);
  DestroyWindow(window);
  for (intptr_t none : {intptr_t{0}, intptr_t{-5}, reinterpret_cast<intptr_t>(window)}) {
    const char* text = GetFileNameFromHwnd(none);
    EXPECT_EQ(text, GetResult()) << none;
    EXPECT_STREQ(text, "") << none;
  }

  // Another process shows a window until its standard input ends.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 0));
  SetHandleInformation(write, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = read;
  si.hStdOutput = si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  char command[] = "process_child.exe window:lorimax-other-process";
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(read);
  HWND theirs = nullptr;
  for (int i = 0; i < 100 && !theirs; ++i, Sleep(50)) theirs = FindWindowA(nullptr, "lorimax-other-process");
  ASSERT_NE(theirs, nullptr);
  EXPECT_EQ(string(GetFileNameFromHwnd(reinterpret_cast<intptr_t>(theirs))), full_path("process_child.exe"));
  CloseHandle(write);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

TEST(HtmlHelp, RefusalsAndAMissingFile) {
  struct Case {
    const char *file, *keywords;
  } cases[] = {
      {"", "keyword"},
      {"lorimax-help.chm", ""},
      {nullptr, nullptr},
      {"lorimax-no-such-help.chm", "keyword;other"},
  };
  for (const auto& c : cases) EXPECT_EQ(OpenHtmlHelp(c.file, c.keywords), 0) << (c.file ? c.file : "(null)");
}

}  // namespace
