// Window search, geometry and state exports.
#include "exports/api.h"
#include "frame/text_args.h"
#include "windows/windows_win.h"

using namespace lmx;
using namespace lmx::windows;

LMX_API intptr_t SearchWindow(const char* class_name, const char* caption, intptr_t mode) { return search(narrow_arg(class_name), narrow_arg(caption), mode); }
LMX_API intptr_t GetSearchWindowCount() { return search_count(); }
LMX_API intptr_t GetWindowCount() { return remaining_count(); }
LMX_API intptr_t NextWindowHandle() { return next_found(); }
LMX_API intptr_t FINDWINDOW(intptr_t parent, const char* class_name, const char* caption) { return find_window(parent, 0, narrow_cstr(class_name), narrow_cstr(caption)); }
LMX_API intptr_t FINDWINDOW_EX(intptr_t parent, intptr_t child_after, const char* class_name, const char* caption) { return find_window(parent, child_after, narrow_cstr(class_name), narrow_cstr(caption)); }
LMX_API intptr_t NextWindow(intptr_t window) { return next_in_z_order(window); }
LMX_API intptr_t NextActiveWindow(intptr_t window) { return activate_next_in_z_order(window); }
LMX_API intptr_t GetActiveWindowHandle() { return foreground(); }
LMX_API intptr_t GetAncestorWindow(intptr_t window) { return parent_of(window); }
LMX_API const char* GetWindowCaption(intptr_t window) { return caption_of(window); }
LMX_API const char* GetWindowClass(intptr_t window) { return class_of(window); }

LMX_API intptr_t GetWindowRect_Left(intptr_t window) { return edge(window, Source::window, Edge::left); }
LMX_API intptr_t GetWindowRect_Top(intptr_t window) { return edge(window, Source::window, Edge::top); }
LMX_API intptr_t GetWindowRect_Right(intptr_t window) { return edge(window, Source::window, Edge::right); }
LMX_API intptr_t GetWindowRect_Bottom(intptr_t window) { return edge(window, Source::window, Edge::bottom); }
LMX_API intptr_t GetClientRect_Left(intptr_t window) { return edge(window, Source::client, Edge::left); }
LMX_API intptr_t GetClientRect_Top(intptr_t window) { return edge(window, Source::client, Edge::top); }
LMX_API intptr_t GetClientRect_Right(intptr_t window) { return edge(window, Source::client, Edge::right); }
LMX_API intptr_t GetClientRect_Bottom(intptr_t window) { return edge(window, Source::client, Edge::bottom); }
LMX_API intptr_t DwmGetWindowRect_Left(intptr_t window) { return edge(window, Source::frame, Edge::left); }
LMX_API intptr_t DwmGetWindowRect_Top(intptr_t window) { return edge(window, Source::frame, Edge::top); }
LMX_API intptr_t DwmGetWindowRect_Right(intptr_t window) { return edge(window, Source::frame, Edge::right); }
LMX_API intptr_t DwmGetWindowRect_Bottom(intptr_t window) { return edge(window, Source::frame, Edge::bottom); }
LMX_API intptr_t GetWindowRectAll(intptr_t window, const wchar_t* name) { return rect_to_macro(window, Source::window, wide_arg(name)); }
LMX_API intptr_t DwmGetWindowRectAll(intptr_t window, const wchar_t* name) { return rect_to_macro(window, Source::frame, wide_arg(name)); }
LMX_API intptr_t MOVEWINDOW(intptr_t window, intptr_t x, intptr_t y, intptr_t width, intptr_t height) { return move(window, x, y, width, height); }
LMX_API intptr_t DwmMoveWindow(intptr_t window, intptr_t x, intptr_t y, intptr_t width, intptr_t height) { return move_by_frame(window, x, y, width, height); }
LMX_API intptr_t ScreenToClient_X(intptr_t window, intptr_t x, intptr_t y) { return screen_to_client(window, x, y, Axis::x); }
LMX_API intptr_t ScreenToClient_Y(intptr_t window, intptr_t x, intptr_t y) { return screen_to_client(window, x, y, Axis::y); }
LMX_API intptr_t GetWindowState(intptr_t window) { return show_state(window); }
LMX_API intptr_t SetWindowState(intptr_t window, intptr_t state) { return set_show_state(window, state); }
LMX_API intptr_t ActiveWindow(intptr_t window) { return activate(window); }
LMX_API intptr_t ActiveWindow2(intptr_t, intptr_t window) { return activate_joining_input(window); }
LMX_API intptr_t TopWindow(intptr_t window, intptr_t topmost, intptr_t activate) { return set_topmost(window, topmost, activate); }
LMX_API intptr_t BottomWindow(intptr_t window, intptr_t activate) { return to_bottom(window, activate); }
LMX_API intptr_t IsTopWindow(intptr_t window) { return is_topmost(window); }
