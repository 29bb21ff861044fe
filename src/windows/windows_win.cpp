#include <windows.h>

#include <dwmapi.h>
#include <shlwapi.h>

#include <string>

#include "frame/guarded.h"
#include "frame/host.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"
#include "frame/win_owners.h"
#include "windows/frame_text.h"
#include "windows/window_search.h"
#include "windows/windows_win.h"

namespace lmx::windows {
namespace {

HWND to_hwnd(intptr_t window) { return reinterpret_cast<HWND>(window); }
intptr_t from_hwnd(HWND window) { return reinterpret_cast<intptr_t>(window); }

// --- search ----------------------------------------------------------------

WindowSearch g_search;

bool system_equal(const char* a, const char* b) { return lstrcmpA(a, b) == 0; }
bool system_equal_ignoring_case(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }
bool system_contains_ignoring_case(const char* text, const char* needle) { return StrStrIA(text, needle) != nullptr; }
constexpr TextTests kSystemTests{system_equal, system_equal_ignoring_case, system_contains_ignoring_case};

// Reads a text into a 1,024-byte buffer; a reported length outside it counts
// as nothing read.
template <class Read>
void read_text(char (&buffer)[WindowSearch::kFilterBytes], Read read) {
  const int n = read(buffer, static_cast<int>(sizeof buffer));
  buffer[n > 0 && n < static_cast<int>(sizeof buffer) ? n : 0] = 0;
}

BOOL CALLBACK consider_window(HWND window, LPARAM) {
  char caption[WindowSearch::kFilterBytes], class_name[WindowSearch::kFilterBytes];
  read_text(caption, [window](char* b, int n) { return GetWindowTextA(window, b, n); });
  read_text(class_name, [window](char* b, int n) { return GetClassNameA(window, b, n); });
  const Candidate candidate{reinterpret_cast<std::uintptr_t>(window), IsWindowVisible(window) != FALSE,
                            GetWindow(window, GW_OWNER) != nullptr, caption, class_name};
  if (!g_search.wants(candidate, kSystemTests)) return TRUE;
  return g_search.store(candidate.handle) ? TRUE : FALSE;  // a full table ends the walk
}

// GetWindowCaption and GetWindowClass: the system call writes at most the
// buffer's capacity. A handle that is no window is asked nothing, since the
// text call may then report a length for bytes it never wrote.
template <class Read>
const char* text_of(intptr_t window, Read read) {
  result().clear();
  const HWND hwnd = to_hwnd(window);
  const std::size_t capacity = result().capacity();
  if (!IsWindow(hwnd) || capacity == 0) return kEmptyResult;
  const int n = read(hwnd, result().data(), static_cast<int>(capacity));
  if (n <= 0 || static_cast<std::size_t>(n) >= capacity) return result().clear(), kEmptyResult;
  return result().data();
}

// --- rectangles ----------------------------------------------------------------

// The visible frame; none when desktop composition is off or cannot say.
bool read_frame(HWND window, RECT& frame) {
  BOOL composition = FALSE;
  if (FAILED(DwmIsCompositionEnabled(&composition)) || !composition) return false;
  return SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame));
}

bool read_rect(HWND window, Source source, RECT& rect) {
  switch (source) {
    case Source::window: return GetWindowRect(window, &rect) != FALSE;
    case Source::client: return GetClientRect(window, &rect) != FALSE;
    default: return read_frame(window, rect);
  }
}

Edges edges_of(const RECT& r) {
  return {static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top), static_cast<std::int32_t>(r.right),
          static_cast<std::int32_t>(r.bottom)};
}

bool move_window(HWND window, intptr_t x, intptr_t y, intptr_t width, intptr_t height) {
  return MoveWindow(window, static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                    static_cast<int>(height), TRUE) != FALSE;
}

HidemaruEvalMacroFn host_eval_macro() {
  return proc<HidemaruEvalMacroFn>(GetModuleHandleA(nullptr), "Hidemaru_EvalMacro");
}

// --- Z order -------------------------------------------------------------------

UINT z_order_flags(intptr_t activate) {
  return SWP_NOSIZE | SWP_NOMOVE | (activate ? 0 : SWP_NOACTIVATE);
}

}  // namespace

intptr_t search(std::string_view class_name, std::string_view caption, intptr_t mode) {
  g_search.begin(class_name, caption, static_cast<std::uint64_t>(mode));
  EnumWindows(consider_window, 0);
  return static_cast<intptr_t>(g_search.finish());
}
intptr_t search_count() { return g_search.count(); }
intptr_t remaining_count() { return g_search.remaining(); }
intptr_t next_found() { return static_cast<intptr_t>(g_search.next()); }

intptr_t find_window(intptr_t parent, intptr_t child_after, const char* class_name, const char* caption) {
  if (!*class_name && !*caption) return 0;
  return from_hwnd(FindWindowExA(to_hwnd(parent), to_hwnd(child_after), *class_name ? class_name : nullptr,
                                 *caption ? caption : nullptr));
}

intptr_t next_in_z_order(intptr_t window) { return from_hwnd(GetWindow(to_hwnd(window), GW_HWNDNEXT)); }

intptr_t activate_next_in_z_order(intptr_t window) {
  const HWND next = GetWindow(to_hwnd(window), GW_HWNDNEXT);
  return next && SetForegroundWindow(next) ? 1 : 0;
}

intptr_t foreground() { return from_hwnd(GetForegroundWindow()); }

intptr_t parent_of(intptr_t window) {
  const HWND parent = GetAncestor(to_hwnd(window), GA_PARENT);
  return parent == GetDesktopWindow() ? 0 : from_hwnd(parent);
}

const char* caption_of(intptr_t window) { return text_of(window, GetWindowTextA); }
const char* class_of(intptr_t window) { return text_of(window, GetClassNameA); }

intptr_t edge(intptr_t window, Source source, Edge which) {
  RECT r;
  if (!read_rect(to_hwnd(window), source, r)) return -1;
  switch (which) {
    case Edge::left: return r.left;
    case Edge::top: return r.top;
    case Edge::right: return r.right;
    default: return r.bottom;
  }
}

intptr_t rect_to_macro(intptr_t window, Source source, std::u16string_view name) {
  if (!is_safe_variable_name(name)) return 0;
  RECT r;
  if (!read_rect(to_hwnd(window), source, r)) return 0;
  const bool written = guarded(false, [&] {
    const std::u16string text = rect_assignments(name, edges_of(r));
    return wide_result().assign_doubled(text);
  });
  if (!written) return 0;
  const HidemaruEvalMacroFn eval_macro = host_eval_macro();
  if (!eval_macro) return 0;
  return eval_macro(as_wchar(wide_result().data())) ? 1 : 0;
}

intptr_t screen_to_client(intptr_t window, intptr_t x, intptr_t y, Axis axis) {
  POINT p{static_cast<LONG>(x), static_cast<LONG>(y)};
  if (!ScreenToClient(to_hwnd(window), &p)) return -1;
  return axis == Axis::x ? p.x : p.y;
}

intptr_t move(intptr_t window, intptr_t x, intptr_t y, intptr_t width, intptr_t height) {
  return move_window(to_hwnd(window), x, y, width, height) ? 1 : 0;
}

intptr_t move_by_frame(intptr_t window, intptr_t x, intptr_t y, intptr_t width, intptr_t height) {
  const HWND hwnd = to_hwnd(window);
  RECT outer, frame;
  BOOL composition = FALSE;
  if (!GetWindowRect(hwnd, &outer) || FAILED(DwmIsCompositionEnabled(&composition))) return 0;
  if (!composition) return move_window(hwnd, x, y, width, height) ? 1 : 0;
  if (FAILED(DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame))) return 0;
  const Placement wanted{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), static_cast<std::int32_t>(width),
                         static_cast<std::int32_t>(height)};
  const Placement p = placement_for_frame(edges_of(outer), edges_of(frame), wanted);
  return move_window(hwnd, p.x, p.y, p.width, p.height) ? 1 : 0;
}

intptr_t show_state(intptr_t window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(to_hwnd(window), &placement)) return -1;
  if (placement.showCmd == SW_SHOWNORMAL) return IsWindowVisible(to_hwnd(window)) ? 1 : 0;
  return placement.showCmd;
}

intptr_t set_show_state(intptr_t window, intptr_t state) {
  if (static_cast<std::uint64_t>(state) > SW_SHOWMAXIMIZED) return 0;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(to_hwnd(window), &placement)) return 0;
  placement.showCmd = static_cast<UINT>(state);
  return SetWindowPlacement(to_hwnd(window), &placement) ? 1 : 0;
}

intptr_t activate(intptr_t window) { return SetForegroundWindow(to_hwnd(window)) ? 1 : 0; }

// Joining the foreground thread's input lets a background thread take the
// foreground; the join lasts only for these calls.
intptr_t activate_joining_input(intptr_t window) {
  const HWND hwnd = to_hwnd(window);
  // With no foreground window, "the foreground is the window" would hold for 0.
  if (!IsWindow(hwnd)) return 0;
  const DWORD foreground_thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD own_thread = GetCurrentThreadId();
  if (foreground_thread == own_thread) {
    BringWindowToTop(hwnd);
    ShowWindow(hwnd, SW_SHOW);
  } else {
    AttachThreadInput(foreground_thread, own_thread, TRUE);
    SetForegroundWindow(hwnd);
    BringWindowToTop(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    AttachThreadInput(foreground_thread, own_thread, FALSE);
  }
  return GetForegroundWindow() == hwnd ? 1 : 0;
}

intptr_t set_topmost(intptr_t window, intptr_t topmost, intptr_t activate) {
  return SetWindowPos(to_hwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, z_order_flags(activate)) ? 1
                                                                                                                    : 0;
}

intptr_t to_bottom(intptr_t window, intptr_t activate) {
  return SetWindowPos(to_hwnd(window), HWND_BOTTOM, 0, 0, 0, 0, z_order_flags(activate)) ? 1 : 0;
}

intptr_t is_topmost(intptr_t window) {
  return (GetWindowLongA(to_hwnd(window), GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
}

}  // namespace lmx::windows
