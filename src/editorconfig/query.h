// The EditorConfig query: the properties that the .editorconfig files above a
// path give it, found by the EditorConfig core library and kept as two
// parallel lists of UTF-8 names and values that a macro reads by index.
#ifndef LORIMAX_EDITORCONFIG_QUERY_H
#define LORIMAX_EDITORCONFIG_QUERY_H

#include <cstdint>

#include "frame/lifecycle.h"

namespace lmx::editorconfig {

// The number of properties of the file (0 or more), or -1 with a message.
intptr_t execute(const char* ansi_path);
intptr_t execute(const wchar_t* path);
// The name or value at the index as UTF-8 in the result buffer; the empty
// result out of range.
const char* key(intptr_t index);
const char* value(intptr_t index);
intptr_t clear();
// The message of the last failed query, in its own buffer.
const char* error_message();
const char* version_text();
const char* pcre2_version_text();

void stop_lists(StopReason);

}  // namespace lmx::editorconfig

#endif
