// Engine bridge exports: HMJRE.DLL and NKF32.DLL.
#include "bridges/nkf.h"
#include "bridges/regex.h"
#include "exports/api.h"

using namespace lmx;
using nkf::Conversion;

LMX_API intptr_t hmjre_load(const char* file_name) { return regex::load(file_name); }
LMX_API intptr_t hmjre_free() { return regex::free(); }
LMX_API intptr_t hmjre_match(const char* subject, const char* pattern, intptr_t option, intptr_t start) { return regex::match(subject, pattern, option, start); }
LMX_API intptr_t hmjre_match_info(const char* which) { return regex::match_info(which); }
LMX_API const char* hmjre_match_string() { return regex::match_string(); }
LMX_API const char* hmjre_match_tag_string(intptr_t tag) { return regex::match_tag_string(tag); }
LMX_API const char* hmjre_version() { return regex::version(); }

LMX_API intptr_t nkf_load(const char* file_name) { return nkf::load(file_name); }
LMX_API intptr_t nkf_free() { return nkf::free(); }
LMX_API const char* nkf_getmodulefilename() { return nkf::module_file_name(); }
LMX_API const char* nkf_exec(const char* options, const char* text) { return nkf::convert(Conversion::exec, options, text); }
LMX_API const char* nkf_tohankaku(const char* text) { return nkf::convert(Conversion::to_hankaku, nullptr, text); }
LMX_API const char* nkf_tozenkakukana(const char* text) { return nkf::convert(Conversion::to_zenkaku_kana, nullptr, text); }
LMX_API const char* nkf_tomime(const char* text) { return nkf::convert(Conversion::to_mime, nullptr, text); }
LMX_API intptr_t nkf_fileconvert1(const char* path, const char* options) { return nkf::convert_file(path, options); }
LMX_API intptr_t nkf_fileconvert2(const char* input, const char* output, const char* options) { return nkf::convert_file_to(input, output, options); }
LMX_API const char* nkf_getguess() { return nkf::guess(); }
LMX_API intptr_t nkf_getkanjicode() { return nkf::kanji_code(); }
LMX_API const char* nkf_version() { return nkf::version(); }
LMX_API intptr_t nkf_error() { return nkf::error_code(); }
LMX_API const char* nkf_errormessage() { return nkf::error_message(); }
