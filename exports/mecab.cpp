// MeCab bridge exports: one line each over the MeCab bridge.
#include "bridges/mecab.h"
#include "exports/api.h"
#include "frame/text_args.h"

using namespace lmx;
using namespace lmx::mecab;

LMX_API intptr_t mecab_load(const char* file_name) { return load(narrow_cstr(file_name)); }
LMX_API intptr_t mecab_free() { return mecab::free(); }
LMX_API const char* mecab_getmodulefilename() { return module_file_name(); }
LMX_API const char* mecab(const char* options, const char* text) { return analyse(Analysis::plain, options, text); }
LMX_API const char* mecab_getyomi(const char* options, const char* text) { return analyse(Analysis::yomi, options, text); }
LMX_API const char* mecab_wakati(const char* options, const char* text) { return analyse(Analysis::wakati, options, text); }
LMX_API const char* mecab_nbest(const char* options, const char* text, intptr_t n) { return analyse(Analysis::nbest, options, text, n); }
LMX_API const char* mecab_version() { return version(); }
LMX_API intptr_t mecab_error() { return error_code(); }
LMX_API const char* mecab_errormessage() { return error_message(); }
LMX_API const char* mecab_getstrerror() { return engine_error_text(); }
