// UTF-8 and UTF-16 conversions into the result buffers.
#ifndef LORIMAX_FRAME_CONVERT_H
#define LORIMAX_FRAME_CONVERT_H

#include <cstdint>
#include <cwchar>

namespace lmx {

// The text as UTF-8 in the result buffer: 1, or 0 when it cannot be converted
// or does not fit the 1,000,000-byte cap.
intptr_t set_utf8_result(const wchar_t* text);
// The UTF-8 bytes as UTF-16 in the wide result buffer: 1 or 0.
intptr_t set_utf16_result(const char* utf8);

}  // namespace lmx

#endif
