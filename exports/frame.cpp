// Frame and encoding-conversion exports: one line each over the frame.
#include <windows.h>

#include "exports/api.h"
#include "frame/convert.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"
#include "frame/version.h"

using namespace lmx;

LMX_API const char* GetResult() { return result().c_str(); }
LMX_API const wchar_t* GetResultW() { return as_wchar(wide_result().c_str()); }
LMX_API intptr_t GetDllVersion() { return library_version().number; }
LMX_API const char* GetDllVersionStr() { return library_version().text; }
LMX_API intptr_t DebugOut(const wchar_t* text) { return OutputDebugStringW(wide_cstr(text)), 1; }

LMX_API intptr_t SetUTF8ConvertString(const wchar_t* text) { return set_utf8_result(wide_cstr(text)); }
LMX_API intptr_t SetUTF16ConvertString(const char* utf8) { return set_utf16_result(narrow_cstr(utf8)); }
