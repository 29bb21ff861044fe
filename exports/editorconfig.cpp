// EditorConfig exports: one line each over src/editorconfig/.
#include "editorconfig/query.h"
#include "exports/api.h"
#include "frame/text_args.h"

using namespace lmx;
namespace ec = lmx::editorconfig;

LMX_API intptr_t EditorConfigExecute(const char* path) { return ec::execute(narrow_cstr(path)); }
LMX_API intptr_t EditorConfigExecuteW(const wchar_t* path) { return ec::execute(wide_cstr(path)); }
LMX_API const char* EditorConfigGetKey(intptr_t index) { return ec::key(index); }
LMX_API const char* EditorConfigGetValue(intptr_t index) { return ec::value(index); }
LMX_API intptr_t EditorConfigClear() { return ec::clear(); }
LMX_API const char* EditorConfigErrorMessage() { return ec::error_message(); }
LMX_API const char* EditorConfigGetVersionStr() { return ec::version_text(); }
LMX_API const char* EditorConfigGetPcreVersionStr() { return ec::pcre2_version_text(); }
