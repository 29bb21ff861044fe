// The Windows side of the window family: search and lookups, rectangles,
// moving, show states, Z order and activation. Window handles cross as
// integers; 0 is no window.
#ifndef LORIMAX_WINDOWS_WINDOWS_WIN_H
#define LORIMAX_WINDOWS_WINDOWS_WIN_H

#include <cstdint>
#include <string_view>

namespace lmx::windows {

intptr_t search(std::string_view class_name, std::string_view caption, intptr_t mode);
intptr_t search_count();
intptr_t remaining_count();
intptr_t next_found();
intptr_t find_window(intptr_t parent, intptr_t child_after, const char* class_name, const char* caption);
intptr_t next_in_z_order(intptr_t window);
intptr_t activate_next_in_z_order(intptr_t window);
intptr_t foreground();
intptr_t parent_of(intptr_t window);
const char* caption_of(intptr_t window);
const char* class_of(intptr_t window);

enum class Source { window, client, frame };
enum class Edge { left, top, right, bottom };
intptr_t edge(intptr_t window, Source source, Edge which);
intptr_t rect_to_macro(intptr_t window, Source source, std::u16string_view name);
enum class Axis { x, y };
intptr_t screen_to_client(intptr_t window, intptr_t x, intptr_t y, Axis axis);
intptr_t move(intptr_t window, intptr_t x, intptr_t y, intptr_t width, intptr_t height);
intptr_t move_by_frame(intptr_t window, intptr_t x, intptr_t y, intptr_t width, intptr_t height);

intptr_t show_state(intptr_t window);
intptr_t set_show_state(intptr_t window, intptr_t state);
intptr_t activate(intptr_t window);
intptr_t activate_joining_input(intptr_t window);
intptr_t set_topmost(intptr_t window, intptr_t topmost, intptr_t activate);
intptr_t to_bottom(intptr_t window, intptr_t activate);
intptr_t is_topmost(intptr_t window);

}  // namespace lmx::windows

#endif
