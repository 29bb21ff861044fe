// The Windows side of the format family: file sizes, the clock and the C
// runtime's strftime, Sleep, and the system's URL canonicalisation.
#ifndef LORIMAX_FORMAT_FORMAT_WIN_H
#define LORIMAX_FORMAT_FORMAT_WIN_H

#include <cstdint>
#include <string_view>

namespace lmx::format {

enum class SizePart { text, number, unit };
// Looks the path up (wildcards give the first match) and keeps the three size
// texts; the size in bytes, or -1 when nothing matches (the texts emptied).
intptr_t query_size(const char* path);
// GetFileSizeStr, GetSizeStr, GetUnitStr: an empty path reuses the last query,
// except for the size text, which then gives the empty result.
const char* size_part(const char* path, SizePart part);

const char* time_format(std::string_view format);
intptr_t set_time(intptr_t year, intptr_t month, intptr_t day, intptr_t hour, intptr_t minute, intptr_t second);
intptr_t reset_time();
intptr_t wait_milliseconds(intptr_t milliseconds);

const wchar_t* url_encode_wide(const wchar_t* text, intptr_t all);
const char* url_exchange(const char* url, intptr_t options);

}  // namespace lmx::format

#endif
