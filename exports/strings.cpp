// String search, editing, trimming and justification exports.
#include "exports/api.h"
#include "frame/text_args.h"
#include "strings/strings.h"

using namespace lmx;
using namespace lmx::strings;

LMX_API intptr_t InStr(intptr_t start, const char* text, const char* search) { return in_str(start, narrow_arg(text), narrow_arg(search)); }
LMX_API intptr_t InStrEx(intptr_t start, const char* text, const char* search, intptr_t mode) { return in_str_ex(start, narrow_arg(text), narrow_arg(search), mode); }
LMX_API intptr_t InStrRev(const char* text, const char* search) { return in_str_rev(narrow_arg(text), narrow_arg(search)); }
LMX_API intptr_t InStrRevEx(const char* text, const char* search, intptr_t mode) { return in_str_rev_ex(narrow_arg(text), narrow_arg(search), mode); }
LMX_API intptr_t GetStrSpn(const char* text, const char* set) { return str_spn(narrow_arg(text), narrow_arg(set)); }
LMX_API intptr_t GetStrCSpn(const char* text, const char* set) { return str_cspn(narrow_arg(text), narrow_arg(set)); }

LMX_API const char* Replace(const char* text, const char* search, const char* replacement, intptr_t count) { return replace(result(), narrow_arg(text), narrow_arg(search), narrow_arg(replacement), count); }
LMX_API const char* DeleteStr(const char* text, intptr_t position, intptr_t count) { return delete_str(result(), narrow_arg(text), position, count); }
LMX_API const char* InsertStr(const char* text, intptr_t position, const char* insertion) { return insert_str(result(), narrow_arg(text), position, narrow_arg(insertion)); }
LMX_API const char* String(intptr_t count, const char* text) { return repeat_char(result(), count, narrow_arg(text)); }
LMX_API const char* Strings(intptr_t count, const char* text) { return repeat_text(result(), count, narrow_arg(text)); }
LMX_API const char* UpperStr(const char* text, intptr_t mode) { return upper(result(), narrow_arg(text), mode); }
LMX_API const char* LowerStr(const char* text, intptr_t mode) { return lower(result(), narrow_arg(text), mode); }

LMX_API const char* Trim(const char* text) { return trim(result(), narrow_arg(text), TrimSide::both); }
LMX_API const char* LTrim(const char* text) { return trim(result(), narrow_arg(text), TrimSide::left); }
LMX_API const char* RTrim(const char* text) { return trim(result(), narrow_arg(text), TrimSide::right); }
LMX_API const char* TrimStr(const char* text, const char* set) { return trim_set(result(), narrow_arg(text), narrow_arg(set)); }
LMX_API const char* LeftJust(const char* text, intptr_t width) { return justify(result(), narrow_arg(text), width, Justify::left); }
LMX_API const char* RightJust(const char* text, intptr_t width) { return justify(result(), narrow_arg(text), width, Justify::right); }
LMX_API const char* Centor(const char* text, intptr_t width) { return justify(result(), narrow_arg(text), width, Justify::centre); }
