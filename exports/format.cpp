// Kanji numerals, size strings, time and URL exports.
#include "exports/api.h"
#include "format/format_win.h"
#include "format/kanji.h"
#include "format/url.h"
#include "frame/text_args.h"

using namespace lmx;
using namespace lmx::format;

LMX_API const char* NumToKanji(intptr_t number, intptr_t mode) { return kanji::number_to_kanji(result(), number, mode); }
LMX_API const char* NumStringToKanji(const char* digits, intptr_t mode) { return kanji::digits_to_kanji(result(), narrow_arg(digits), mode); }

LMX_API const char* GetSizeStr(const char* path) { return size_part(narrow_cstr(path), SizePart::number); }
LMX_API const char* GetUnitStr(const char* path) { return size_part(narrow_cstr(path), SizePart::unit); }
LMX_API const char* GetFileSizeStr(const char* path) { return size_part(narrow_cstr(path), SizePart::text); }
LMX_API intptr_t GetFileSizeByte(const char* path) { return query_size(narrow_cstr(path)); }

LMX_API const char* TimeFormat(const char* format) { return time_format(narrow_arg(format)); }
LMX_API intptr_t SetTime(intptr_t year, intptr_t month, intptr_t day, intptr_t hour, intptr_t minute, intptr_t second) { return set_time(year, month, day, hour, minute, second); }
LMX_API intptr_t ResetTime() { return reset_time(); }
LMX_API intptr_t Wait(intptr_t milliseconds) { return wait_milliseconds(milliseconds); }

LMX_API const char* UrlEncode(const char* text, intptr_t mode) { return url::encode_narrow(result(), narrow_arg(text), mode); }
LMX_API const wchar_t* UrlEncodeW(const wchar_t* text, intptr_t all) { return url_encode_wide(wide_cstr(text), all); }
LMX_API const char* UrlDecode(const char* text) { return url::decode(result(), narrow_arg(text)); }
LMX_API const char* URLExchange(const char* url, intptr_t options) { return url_exchange(narrow_cstr(url), options); }
