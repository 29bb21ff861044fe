// The regular-expression bridge: HMJRE.DLL, found by name or through the
// editor's registry values, one match context for the life of a load, and
// the last match (text, position, length, tag groups).
#ifndef LORIMAX_BRIDGES_REGEX_H
#define LORIMAX_BRIDGES_REGEX_H

#include <cstdint>

#include "frame/lifecycle.h"

namespace lmx::regex {

// Module stop: frees the engine and what the bridge made with it; while the
// process exits the engine is only forgotten (exports/lifecycle.cpp).
void stop(StopReason reason);

// 1 loaded, 0 failed (the file name then reads HMJRE.DLL again).
intptr_t load(const char* file_name);
// Always 1.
intptr_t free();
// 1 match, 0 no match, -1 error (empty argument, no library, bad pattern).
// Option 1 folds ASCII and full-width Latin letters in pattern and subject.
intptr_t match(const char* subject, const char* pattern, intptr_t option, intptr_t start);
// The last match's length or position by a leading part of "length" or
// "position"; -1 for anything else.
intptr_t match_info(const char* which);
// The last match's text, tag group 1 to 9, or the library's version in
// hexadecimal: in the result buffer (empty when there is none).
const char* match_string();
const char* match_tag_string(intptr_t tag);
const char* version();

}  // namespace lmx::regex

#endif
