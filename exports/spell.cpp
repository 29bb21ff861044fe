// Spell-check bridge exports: one line each over the Hunspell bridge.
#include "bridges/spell.h"
#include "exports/api.h"
#include "frame/text_args.h"

using namespace lmx;
using namespace lmx::spell;

LMX_API intptr_t hunspell_load(const char* file_name) { return load(narrow_cstr(file_name)); }
LMX_API intptr_t hunspell_free() { return spell::free(); }
LMX_API const char* hunspell_getmodulefilename() { return module_file_name(); }
LMX_API intptr_t hunspell_Create(const char* dictionary, const char* affix) { return create(narrow_cstr(dictionary), narrow_cstr(affix)); }
LMX_API intptr_t hunspell_SetDictionary(const char* dictionary) { return create(narrow_cstr(dictionary), ""); }
LMX_API intptr_t hunspell_AddDictionary(const char* path) { return add_dictionary(narrow_cstr(path)); }
LMX_API intptr_t hunspell_Spell(const char* word) { return check(narrow_cstr(word)); }
LMX_API intptr_t hunspell_SpellW(const wchar_t* word) { return with_utf8_word(wide_cstr(word), WordOperation::check); }
LMX_API intptr_t hunspell_Suggest(const char* word) { return suggest(narrow_cstr(word)); }
LMX_API intptr_t hunspell_SuggestW(const wchar_t* word) { return with_utf8_word(wide_cstr(word), WordOperation::suggest); }
LMX_API const char* hunspell_SuggestList(intptr_t index) { return suggestion(index); }
LMX_API const wchar_t* hunspell_SuggestListW(intptr_t index) { return suggestion_w(index); }
LMX_API intptr_t hunspell_Add(const char* word) { return add(narrow_cstr(word)); }
LMX_API intptr_t hunspell_AddW(const wchar_t* word) { return with_utf8_word(wide_cstr(word), WordOperation::add); }
LMX_API intptr_t hunspell_Remove(const char* word) { return spell::remove(narrow_cstr(word)); }
LMX_API intptr_t hunspell_RemoveW(const wchar_t* word) { return with_utf8_word(wide_cstr(word), WordOperation::remove); }
LMX_API const char* hunspell_Get_Dic_Encoding() { return dictionary_encoding(); }
LMX_API const char* hunspell_GetVersion() { return version(); }
LMX_API const char* hunspell_errormessage() { return error_message(); }
