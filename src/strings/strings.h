// String functions on code page 932 text: search, editing, trimming and
// justification. Positions and counts are bytes. Search results are offsets
// (-1 for none or bad arguments); text results are written into the result
// buffer given and returned, or the empty result is returned.
#ifndef LORIMAX_STRINGS_STRINGS_H
#define LORIMAX_STRINGS_STRINGS_H

#include <cstdint>
#include <string_view>

#include "frame/result_buffer.h"

namespace lmx::strings {

using Text = std::string_view;

// Search.
intptr_t in_str(intptr_t start, Text text, Text search);
intptr_t in_str_ex(intptr_t start, Text text, Text search, intptr_t mode);
intptr_t in_str_rev(Text text, Text search);
intptr_t in_str_rev_ex(Text text, Text search, intptr_t mode);
intptr_t str_spn(Text text, Text set);
intptr_t str_cspn(Text text, Text set);

// Editing.
const char* replace(NarrowResult& out, Text text, Text search, Text replacement, intptr_t count);
const char* delete_str(NarrowResult& out, Text text, intptr_t position, intptr_t count);
const char* insert_str(NarrowResult& out, Text text, intptr_t position, Text insertion);
const char* repeat_char(NarrowResult& out, intptr_t count, Text text);
const char* repeat_text(NarrowResult& out, intptr_t count, Text text);
const char* upper(NarrowResult& out, Text text, intptr_t fold_mode);
const char* lower(NarrowResult& out, Text text, intptr_t fold_mode);

// Trimming and justification.
enum class TrimSide { left, right, both };
const char* trim(NarrowResult& out, Text text, TrimSide side);
const char* trim_set(NarrowResult& out, Text text, Text set);
enum class Justify { left, right, centre };
const char* justify(NarrowResult& out, Text text, intptr_t width, Justify how);

}  // namespace lmx::strings

#endif
