// Window search, geometry and state through the DLL, on real top-level windows
// that the tests make on Wine's null display driver.
#include <windows.h>

#include <dwmapi.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "exports/api.h"
#include "host_standin.h"
#include "programs.h"
#include "text.h"

namespace {

using std::string;
using std::vector;
using Texts = vector<std::wstring>;

intptr_t h(HWND w) { return reinterpret_cast<intptr_t>(w); }
std::array<LONG, 4> edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
std::array<LONG, 4> window_edges(HWND w) {
  RECT r{-1, -1, -1, -1};
  GetWindowRect(w, &r);
  return edges(r);
}

constexpr char kClass[] = "LorimaxWindowTest";  // the search fixture's windows only
constexpr char kScratch[] = "LorimaxScratch";     // windows made by single tests
constexpr DWORD kShown = WS_OVERLAPPEDWINDOW | WS_VISIBLE, kHidden = WS_OVERLAPPEDWINDOW;

void register_class(const char* name, WNDPROC proc = DefWindowProcA) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

struct Destroy {
  void operator()(HWND w) const { DestroyWindow(w); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, Destroy>;

// `owner` is the parent of a WS_CHILD window.
Window make(const char* cls, const string& caption, DWORD style, HWND owner = nullptr) {
  return Window(CreateWindowExA(0, cls, caption.c_str(), style, 100, 100, 400, 300, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr));
}

// The windows of `set` in the order EnumWindows meets them.
vector<HWND> in_enum_order(const vector<HWND>& set) {
  using Walk = std::pair<const vector<HWND>*, vector<HWND>>;
  Walk walk{&set, {}};
  EnumWindows(
      [](HWND w, LPARAM p) {
        auto* walk = reinterpret_cast<Walk*>(p);
        for (HWND s : *walk->first)
          if (s == w) walk->second.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  return walk.second;
}

// The whole walk of one search: its result, its count and every handle after it.
void expect_walk(intptr_t first, const vector<HWND>& met, const string& label) {
  const std::size_t n = met.size();
  EXPECT_EQ(first, n ? h(met.back()) : 0) << label;
  EXPECT_EQ(GetSearchWindowCount(), static_cast<intptr_t>(n)) << label;
  for (std::size_t k = n; k-- > 0;) {
    EXPECT_EQ(GetWindowCount(), static_cast<intptr_t>(k)) << label;
    if (k > 0) {
      EXPECT_EQ(NextWindowHandle(), h(met[k - 1])) << label << " slot " << k - 1;
    }
  }
  for (int past = 0; past < 2; ++past) {
    EXPECT_EQ(NextWindowHandle(), 0) << label;
    EXPECT_EQ(GetWindowCount(), 0) << label;
  }
}

class Windows : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    register_class(kClass);
    register_class(kScratch);
    notepad = make(kClass, "Notepad", kShown);
    display = make(kClass, sjis(u8"表示ソフト"), kShown);  // 表 and ソ end in the byte 5C
    path = make(kClass, sjis(u8"C:\\メモ"), kShown);
    hidden = make(kClass, "Hidden Notepad", kHidden);
    owned = make(kClass, "Notepad owned", kShown, notepad.get());
    blank = make(kClass, "", kShown);
    child = make(kClass, "child", WS_CHILD | WS_VISIBLE, notepad.get());
    gone = make(kScratch, "gone", kShown).get();
  }
  static void TearDownTestSuite() {
    for (Window* w : {&child, &blank, &owned, &hidden, &path, &display, &notepad}) w->reset();
  }
  static inline Window notepad, display, path, hidden, owned, blank, child;
  static inline HWND gone;  // a window that was destroyed
};

TEST_F(Windows, SearchModesAndTheWalk) {
  ASSERT_TRUE(notepad && display && path && hidden && owned && blank && child);
  HWND n = notepad.get(), d = display.get(), p = path.get(), hid = hidden.get();
  const vector<HWND> visible{n, d, p};
  struct Case { const char* cls; string caption; intptr_t mode; vector<HWND> found; } cases[] = {
      {kClass, "", 0, visible},
      {kClass, "ignored without bit 0", 0, visible},
      {kClass, "Notepad", 6, visible},
      {kClass, "", 16, {n, d, p, hid}},
      {kClass, "", 23, {n, d, p, hid}},
      {kClass, "Notepad", 1, {n}},
      {kClass, "Note", 1, {}},
      {kClass, "Note", 3, {n}},
      {kClass, "Note", 19, {n, hid}},
      {kClass, "notepad", 5, {n}},
      {kClass, "notepad", 1, {}},
      {kClass, "NOTE", 7, {n}},
      {kClass, "Notepad", 0x109, {n}},  // bits 3 and 8 mean nothing
      {kClass, "Notepad owned", 1, {}},
      {kClass, "Notepad owned", 19, {}},
      {"*", "Notepad", 1, {n}},
      {"", "Notepad", 1, {n}},
      {"lorimaxwindowtest", "Notepad", 1, {}},
      {"NoSuchClass", "", 16, {}},
      // Double-byte captions: a filter matches only where a character begins.
      {kClass, "\\", 3, {p}},
      {kClass, "\\", 7, {p}},
      {kClass, sjis(u8"表示"), 3, {d}},
      {kClass, sjis(u8"ソフト"), 1, {}},
      {kClass, sjis(u8"ソフト"), 3, {d}},
      {kClass, sjis(u8"c:\\メモ"), 5, {p}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const intptr_t first = SearchWindow(c.cls, c.caption.c_str(), c.mode);
    expect_walk(first, in_enum_order(c.found), "case " + std::to_string(i));
  }
  expect_walk(SearchWindow(nullptr, nullptr, 0), in_enum_order(visible), "null class and caption");
}

TEST_F(Windows, FullTableAndLongFilters) {
  register_class("LorimaxMany");
  vector<Window> many;
  vector<HWND> all;
  for (int i = 0; i < 260; ++i) {
    many.push_back(make("LorimaxMany", "many", WS_POPUP | WS_VISIBLE));
    all.push_back(many.back().get());
  }
  const vector<HWND> met = in_enum_order(all);
  ASSERT_EQ(met.size(), 260u);
  expect_walk(SearchWindow("LorimaxMany", "", 0), vector<HWND>(met.begin(), met.begin() + 256), "260 matches");
  many.clear();

  // Captions are compared as read into 1,024 bytes, so filters are cut to
  // 1,023 bytes of whole characters.
  register_class("LorimaxLong");
  const string xs(1500, 'x');
  string a700;
  for (int i = 0; i < 700; ++i) a700 += sjis(u8"あ");
  Window ascii = make("LorimaxLong", xs, kShown), wide = make("LorimaxLong", a700, kShown);
  struct Case { string cls, caption; intptr_t mode; vector<HWND> found; } cases[] = {
      {"LorimaxLong", xs, 1, {ascii.get()}},
      {"LorimaxLong", string(1023, 'x') + "yyy", 1, {ascii.get()}},
      {"LorimaxLong", string(1022, 'x') + "y", 1, {}},
      {"LorimaxLong", string(1023, 'x') + "yyy", 3, {ascii.get()}},
      {"LorimaxLong", a700, 1, {wide.get()}},
      {string(2000, 'L'), "", 16, {}},
      {"LorimaxLong" + string(2000, ' '), "", 16, {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    expect_walk(SearchWindow(c.cls.c_str(), c.caption.c_str(), c.mode), in_enum_order(c.found),
                "long case " + std::to_string(i));
  }
}

TEST_F(Windows, SingleLookups) {
  HWND n = notepad.get(), first = FindWindowExA(nullptr, nullptr, kClass, nullptr);
  struct Case { intptr_t got, expected; } cases[] = {
      {FINDWINDOW(0, kClass, "Notepad"), h(n)},
      {FINDWINDOW(0, "", "Notepad"), h(n)},
      {FINDWINDOW(0, kClass, ""), h(first)},
      {FINDWINDOW(0, "", ""), 0},
      {FINDWINDOW(h(n), "", "child"), h(child.get())},
      {FINDWINDOW_EX(0, h(first), kClass, ""), h(FindWindowExA(nullptr, first, kClass, nullptr))},
      {FINDWINDOW_EX(h(n), h(child.get()), kClass, ""), 0},
      {GetAncestorWindow(h(n)), 0},
      {GetAncestorWindow(h(child.get())), h(n)},
      {NextWindow(h(n)), h(GetWindow(n, GW_HWNDNEXT))},
      {NextWindow(h(GetWindow(n, GW_HWNDLAST))), 0},
      {GetActiveWindowHandle(), h(GetForegroundWindow())},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;

  EXPECT_EQ(string(GetWindowCaption(h(n))), "Notepad");
  EXPECT_EQ(utf8_of_sjis(GetWindowCaption(h(display.get()))), "表示ソフト");
  EXPECT_EQ(string(GetWindowClass(h(child.get()))), kClass);
  for (intptr_t w : {h(blank.get()), intptr_t{0}, h(gone)}) {
    const char* caption = GetWindowCaption(w);
    EXPECT_STREQ(caption, "");
    EXPECT_NE(caption, GetResult());
  }
  EXPECT_STREQ(GetWindowClass(h(gone)), "");

  HWND below = GetWindow(n, GW_HWNDNEXT);
  EXPECT_EQ(NextActiveWindow(h(n)), 1);
  EXPECT_EQ(GetForegroundWindow(), below);
  EXPECT_EQ(NextActiveWindow(h(GetWindow(n, GW_HWNDLAST))), 0);
}

TEST_F(Windows, RectanglesAndPoints) {
  Window w = make(kScratch, "geometry", kShown);
  ASSERT_EQ(MOVEWINDOW(h(w.get()), -7, 20, 400, 300), 1);
  EXPECT_EQ(window_edges(w.get()), (std::array<LONG, 4>{-7, 20, 393, 320}));
  RECT r, c;
  ASSERT_TRUE(GetWindowRect(w.get(), &r) && GetClientRect(w.get(), &c));
  struct Case { intptr_t (*edge)(intptr_t); LONG expected; } cases[] = {
      {GetWindowRect_Left, r.left}, {GetWindowRect_Top, r.top}, {GetWindowRect_Right, r.right},
      {GetWindowRect_Bottom, r.bottom}, {GetClientRect_Left, c.left}, {GetClientRect_Top, c.top},
      {GetClientRect_Right, c.right}, {GetClientRect_Bottom, c.bottom},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].edge(h(w.get())), cases[i].expected) << "edge " << i;
    EXPECT_EQ(cases[i].edge(0), -1) << "edge " << i;
    EXPECT_EQ(cases[i].edge(h(gone)), -1) << "edge " << i;
  }
  for (POINT screen : {POINT{0, 0}, POINT{100, 50}, POINT{-20, -30}}) {
    POINT expected = screen;
    ASSERT_TRUE(ScreenToClient(w.get(), &expected));
    EXPECT_EQ(ScreenToClient_X(h(w.get()), screen.x, screen.y), expected.x);
    EXPECT_EQ(ScreenToClient_Y(h(w.get()), screen.x, screen.y), expected.y);
  }
}

string utf8_of_wide(const wchar_t* w) {
  char out[512];
  return w && WideCharToMultiByte(CP_UTF8, 0, w, -1, out, sizeof out, nullptr, nullptr) > 0 ? out : "(null)";
}

// The four assignment lines of a rectangle: "#name[i] = value;" for top, left,
// right, bottom.
std::wstring assignments(const wchar_t* name, const RECT& r) {
  wchar_t line[256];
  std::wstring text;
  const LONG values[] = {r.top, r.left, r.right, r.bottom};
  for (int i = 0; i < 4; ++i) {
    std::swprintf(line, 256, L"%ls%ls[%d] = %d;\n", name[0] == L'#' ? L"" : L"#", name, i, static_cast<int>(values[i]));
    text += line;
  }
  return text;
}

// Names the editor must never run as anything but one numeric array.
const struct NameCase { const wchar_t* name; bool accepted; } kNames[] = {
    {L"rc", true},    {L"#rc", true},      {L"位置_2", true}, {L"$rc", false},  {L"", false},     {L"#", false},
    {L"rc;x", false}, {L"rc\n#x", false},  {L"r c", false},   {L"rc=1", false}, {L"rc\"", false}, {L"rc[0]", false},
    {L"rc)", false},  {L"rc\x3000", false}, {L"#$rc", false}, {nullptr, false},
};

// Every name through one of the two exports: the editor is handed exactly the
// four lines of `rect`, or nothing at all.
void expect_macro_texts(intptr_t (*rect_all)(intptr_t, const wchar_t*), HWND w, const RECT& rect) {
  for (const NameCase& c : kNames) {
    host::reset();
    EXPECT_EQ(rect_all(h(w), c.name), c.accepted ? 1 : 0) << utf8_of_wide(c.name);
    EXPECT_EQ(host::eval_macro_texts, c.accepted ? Texts{assignments(c.name, rect)} : Texts{}) << utf8_of_wide(c.name);
  }
}

TEST_F(Windows, RectangleToMacroArray) {
  HWND n = notepad.get();
  RECT r;
  ASSERT_TRUE(GetWindowRect(n, &r));
  expect_macro_texts(GetWindowRectAll, n, r);
  // The editor's verdict is the result; no window, no text.
  host::reset();
  host::eval_macro_result = 0;
  EXPECT_EQ(GetWindowRectAll(h(n), L"rc"), 0);
  EXPECT_EQ(host::eval_macro_texts, Texts{assignments(L"rc", r)});
  host::reset();
  EXPECT_EQ(GetWindowRectAll(0, L"rc"), 0);
  EXPECT_EQ(GetWindowRectAll(h(gone), L"rc"), 0);
  EXPECT_EQ(host::eval_macro_texts, Texts{});
}

// The helper's exit code is the export's result, or 2 when the rectangle
// itself is unreadable.
DWORD rect_all_without_host(const char* source) {
  return run_to_exit(string("rect_all_without_host.exe ") + source);
}

TEST_F(Windows, WithoutTheEditorsExportNothingIsEvaluated) { EXPECT_EQ(rect_all_without_host("window"), 0u); }

TEST_F(Windows, ShowStates) {
  Window hidden_normal = make(kScratch, "s0", kHidden), shown = make(kScratch, "s1", kShown),
         minimised = make(kScratch, "s2", kShown), maximised = make(kScratch, "s3", kShown),
         hidden_minimised = make(kScratch, "s2h", kShown);
  ShowWindow(minimised.get(), SW_MINIMIZE);
  ShowWindow(maximised.get(), SW_MAXIMIZE);
  ShowWindow(hidden_minimised.get(), SW_MINIMIZE);
  ShowWindow(hidden_minimised.get(), SW_HIDE);
  struct Case { HWND window; intptr_t expected; } cases[] = {
      {hidden_normal.get(), 0}, {shown.get(), 1}, {minimised.get(), 2}, {maximised.get(), 3},
      {hidden_minimised.get(), 2},  // a hidden window keeps show command 2
      {nullptr, -1}, {gone, -1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(GetWindowState(h(cases[i].window)), cases[i].expected) << "case " << i;

  HWND w = shown.get();
  struct Set { intptr_t state; bool visible, iconic, zoomed; } sets[] = {
      {2, true, true, false}, {1, true, false, false}, {3, true, false, true}, {0, false, false, false},
  };
  for (const Set& s : sets) {
    EXPECT_EQ(SetWindowState(h(w), s.state), 1) << "state " << s.state;
    EXPECT_EQ(IsWindowVisible(w) != FALSE, s.visible) << "state " << s.state;
    EXPECT_EQ(s.visible && IsIconic(w), s.iconic) << "state " << s.state;
    EXPECT_EQ(s.visible && IsZoomed(w), s.zoomed) << "state " << s.state;
  }
  SetWindowState(h(w), 3);
  WINDOWPLACEMENT before{}, after{};
  before.length = after.length = sizeof before;
  GetWindowPlacement(w, &before);
  for (intptr_t refused : {intptr_t{4}, intptr_t{-1}, INTPTR_MIN}) {
    EXPECT_EQ(SetWindowState(h(w), refused), 0) << refused;
    GetWindowPlacement(w, &after);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0) << refused;
    EXPECT_TRUE(IsZoomed(w)) << refused;
  }
  EXPECT_EQ(SetWindowState(0, 1), 0);
  EXPECT_EQ(SetWindowState(h(gone), 1), 0);
}

TEST_F(Windows, ZOrderAndActivation) {
  Window a = make(kScratch, "a", kShown), b = make(kScratch, "b", kShown);
  ASSERT_EQ(ActiveWindow(h(b.get())), 1);
  ASSERT_EQ(GetForegroundWindow(), b.get());
  struct Step { intptr_t topmost, activate; bool now_topmost; HWND foreground; } steps[] = {
      {1, 0, true, b.get()}, {0, 0, false, b.get()}, {1, 1, true, a.get()}};
  const auto where = window_edges(a.get());  // a change of Z order moves nothing
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const Step& s = steps[i];
    EXPECT_EQ(TopWindow(h(a.get()), s.topmost, s.activate), 1) << "step " << i;
    EXPECT_EQ(window_edges(a.get()), where) << "step " << i;
    EXPECT_EQ((GetWindowLongA(a.get(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, s.now_topmost) << "step " << i;
    EXPECT_EQ(IsTopWindow(h(a.get())), s.now_topmost ? 1 : 0) << "step " << i;
    EXPECT_EQ(GetForegroundWindow(), s.foreground) << "step " << i;
  }
  EXPECT_EQ(BottomWindow(h(a.get()), 0), 1);
  EXPECT_EQ(window_edges(a.get()), where);
  EXPECT_EQ(GetWindow(a.get(), GW_HWNDNEXT), nullptr);
  EXPECT_EQ(IsTopWindow(h(a.get())), 0);
}

// While ActiveWindow2 shows the probe window, the probe asks which window the
// other thread's input state calls active: the probe itself only while joined.
DWORD g_other_thread = 0;
HWND g_active_seen = nullptr;
HWND active_of(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndActive : reinterpret_cast<HWND>(-1);
}
LRESULT CALLBACK probe_proc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_SHOWWINDOW) g_active_seen = active_of(g_other_thread);
  return DefWindowProcA(w, message, wp, lp);
}

TEST_F(Windows, ActiveWindow2JoinsTheForegroundThreadOnlyForTheCall) {
  Window mine = make(kScratch, "mine", kShown), later = make(kScratch, "later", kHidden);
  ASSERT_EQ(ActiveWindow(h(mine.get())), 1);
  // The foreground is this thread's own: no joining needed.
  EXPECT_EQ(ActiveWindow2(12345, h(later.get())), 1);
  EXPECT_TRUE(IsWindowVisible(later.get()));
  EXPECT_EQ(GetForegroundWindow(), later.get());

  // The foreground belongs to another thread.
  register_class("LorimaxProbe", probe_proc);
  Window probe = make("LorimaxProbe", "probe", kHidden);
  HWND theirs = nullptr;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  struct Other {
    HWND* theirs;
    HANDLE ready;
  } other_args{&theirs, ready};
  HANDLE other = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        auto* a = static_cast<Other*>(p);
        Window w = make(kScratch, "theirs", kShown);
        *a->theirs = w.get();
        g_other_thread = GetCurrentThreadId();
        SetForegroundWindow(w.get());
        SetEvent(a->ready);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
      },
      &other_args, 0, nullptr);
  ASSERT_NE(other, nullptr);
  WaitForSingleObject(ready, 10000);
  CloseHandle(ready);
  EXPECT_EQ(GetForegroundWindow(), theirs);
  EXPECT_EQ(ActiveWindow2(0, h(probe.get())), 1);
  EXPECT_EQ(GetForegroundWindow(), probe.get());
  EXPECT_EQ(g_active_seen, probe.get());
  // Detached again: nothing left to undo, and the other thread's input is its own.
  EXPECT_FALSE(AttachThreadInput(g_other_thread, GetCurrentThreadId(), FALSE));
  EXPECT_EQ(active_of(g_other_thread), nullptr);
  PostThreadMessageA(g_other_thread, WM_QUIT, 0, 0);
  WaitForSingleObject(other, INFINITE);
  CloseHandle(other);
}

TEST_F(Windows, NoWindowGivesTheFailureValues) {
  for (intptr_t w : {intptr_t{0}, h(gone)}) {
    struct Case { const char* what; intptr_t got, expected; } cases[] = {
        {"NextWindow", NextWindow(w), 0},
        {"NextActiveWindow", NextActiveWindow(w), 0},
        {"GetAncestorWindow", GetAncestorWindow(w), 0},
        {"ScreenToClient_X", ScreenToClient_X(w, 5, 5), -1},
        {"ScreenToClient_Y", ScreenToClient_Y(w, 5, 5), -1},
        {"MOVEWINDOW", MOVEWINDOW(w, 0, 0, 100, 100), 0},
        {"DwmMoveWindow", DwmMoveWindow(w, 0, 0, 100, 100), 0},
        {"ActiveWindow", ActiveWindow(w), 0},
        {"ActiveWindow2", ActiveWindow2(0, w), 0},
        {"TopWindow", TopWindow(w, 1, 1), 0},
        {"BottomWindow", BottomWindow(w, 1), 0},
        {"IsTopWindow", IsTopWindow(w), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what << " of " << w;
  }
}

constexpr intptr_t (*kFrameEdges[])(intptr_t) = {DwmGetWindowRect_Left, DwmGetWindowRect_Top, DwmGetWindowRect_Right,
                                                 DwmGetWindowRect_Bottom};

// Wine reports composition off: no visible frame, and DwmMoveWindow places
// the window rectangle as MOVEWINDOW does.
TEST_F(Windows, CompositionOffAsWineGivesIt) {
  BOOL on = TRUE;
  ASSERT_EQ(DwmIsCompositionEnabled(&on), S_OK);
  ASSERT_FALSE(on);
  Window w = make(kScratch, "frame", kShown);
  for (auto edge : kFrameEdges) EXPECT_EQ(edge(h(w.get())), -1);
  host::reset();
  EXPECT_EQ(DwmGetWindowRectAll(h(w.get()), L"rc"), 0);
  EXPECT_EQ(host::eval_macro_texts, Texts{});
  EXPECT_EQ(DwmMoveWindow(h(w.get()), 30, 40, 300, 200), 1);
  EXPECT_EQ(window_edges(w.get()), (std::array<LONG, 4>{30, 40, 330, 240}));
}

// Run with the tests' own dwmapi.dll (its ctest entry sets WINEDLLOVERRIDES).
TEST(CompositionOn, VisibleFrameOfTheStandIn) {
  const HMODULE dwm = GetModuleHandleA("dwmapi.dll");
  ASSERT_TRUE(dwm && GetProcAddress(dwm, "lorimax_dwm_standin")) << "the stand-in dwmapi.dll is not loaded";
  register_class(kScratch);
  Window w = make(kScratch, "framed", kShown);
  HWND gone = make(kScratch, "gone", kShown).get();
  ASSERT_EQ(MOVEWINDOW(h(w.get()), -7, 20, 400, 300), 1);
  RECT r;
  ASSERT_TRUE(GetWindowRect(w.get(), &r));
  const RECT frame{r.left + 7, r.top, r.right - 7, r.bottom - 7};  // what the stand-in reports
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(kFrameEdges[i](h(w.get())), edges(frame)[i]) << "edge " << i;
    EXPECT_EQ(kFrameEdges[i](0), -1) << "edge " << i;
    EXPECT_EQ(kFrameEdges[i](h(gone)), -1) << "edge " << i;
  }
  // At the screen's left edge: the window rectangle starts at -7, the frame at 0.
  EXPECT_EQ(GetWindowRect_Left(h(w.get())), -7);
  EXPECT_EQ(DwmGetWindowRect_Left(h(w.get())), 0);

  expect_macro_texts(DwmGetWindowRectAll, w.get(), frame);
  host::reset();
  EXPECT_EQ(DwmGetWindowRectAll(h(gone), L"rc"), 0);
  EXPECT_EQ(host::eval_macro_texts, Texts{});

  // The borders go around the place asked for, so the frame lands on it.
  EXPECT_EQ(DwmMoveWindow(h(w.get()), 0, 0, 400, 300), 1);
  EXPECT_EQ(window_edges(w.get()), (std::array<LONG, 4>{-7, 0, 407, 307}));
  EXPECT_EQ(DwmGetWindowRect_Left(h(w.get())), 0);
  EXPECT_EQ(DwmMoveWindow(h(gone), 0, 0, 400, 300), 0);

  // A live window whose frame the manager cannot give: no edge, no macro
  // text, and the window stays where it is, whichever query fails.
  const auto fail = reinterpret_cast<void (*)(int)>(reinterpret_cast<void*>(GetProcAddress(dwm, "lorimax_dwm_standin_fail")));
  for (int failing : {1, 2}) {
    fail(failing);
    for (auto edge : kFrameEdges) EXPECT_EQ(edge(h(w.get())), -1) << failing;
    host::reset();
    EXPECT_EQ(DwmGetWindowRectAll(h(w.get()), L"rc"), 0) << failing;
    EXPECT_EQ(host::eval_macro_texts, Texts{}) << failing;
    EXPECT_EQ(DwmMoveWindow(h(w.get()), 50, 60, 200, 100), 0) << failing;
    EXPECT_EQ(window_edges(w.get()), (std::array<LONG, 4>{-7, 0, 407, 307})) << failing;
  }
  fail(0);
  // With composition on and a frame to give, a host without the editor's
  // export still evaluates nothing.
  EXPECT_EQ(rect_all_without_host("frame"), 0u);
}

}  // namespace
