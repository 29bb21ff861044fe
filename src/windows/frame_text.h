// The portable parts of the geometry exports: the macro text that hands a
// rectangle to the editor, and the arithmetic that places a window by its
// visible frame.
#ifndef LORIMAX_WINDOWS_FRAME_TEXT_H
#define LORIMAX_WINDOWS_FRAME_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace lmx::windows {

struct Edges {
  std::int32_t left, top, right, bottom;
};

// A name the editor can only read as one numeric variable: an optional "#",
// then a letter, "_" or a non-ASCII character, then those or digits. Anything
// else ("$" names, spaces, ";", quotes, "=", brackets, line breaks) could end
// the assignment and start a statement the caller never wrote.
bool is_safe_variable_name(std::u16string_view name);

// The four assignments "#name[i] = value;\n" for top, left, right, bottom, in
// that order; the name must be safe. May throw std::bad_alloc.
std::u16string rect_assignments(std::u16string_view name, const Edges& edges);

struct Placement {
  std::int32_t x, y, width, height;
};
// Where MoveWindow must put the window rectangle so that the visible frame
// lands on the place asked for: the borders between the two rectangles are
// added around it.
Placement placement_for_frame(const Edges& window, const Edges& frame, const Placement& wanted);

}  // namespace lmx::windows

#endif
