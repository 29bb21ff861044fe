// INI lookup, enumeration and writing exports.
#include "exports/api.h"
#include "frame/text_args.h"
#include "ini/ini.h"

using namespace lmx;
using namespace lmx::ini;

LMX_API intptr_t ReadSectionKeys(const char* file, const char* section) { return read_section_keys(narrow_cstr(file), narrow_cstr(section)); }
LMX_API intptr_t ReadSectionKeysW(const wchar_t* file, const wchar_t* section) { return read_section_keys(wide_cstr(file), wide_cstr(section)); }
LMX_API intptr_t ReadSectionNames(const char* file) { return read_section_names(narrow_cstr(file)); }
LMX_API intptr_t ReadSectionNamesW(const wchar_t* file) { return read_section_names(wide_cstr(file)); }
LMX_API intptr_t ExistKey(const char* key) { return exist_key(narrow_cstr(key)); }
LMX_API intptr_t ExistKeyW(const wchar_t* key) { return exist_key(wide_cstr(key)); }
LMX_API intptr_t ExistSection(const char* name) { return exist_section(narrow_cstr(name)); }
LMX_API intptr_t ExistSectionW(const wchar_t* name) { return exist_section(wide_cstr(name)); }
LMX_API const char* GetKeyValue(intptr_t index) { return key_value(index); }
LMX_API const wchar_t* GetKeyValueW(intptr_t index) { return key_value_w(index); }
LMX_API const char* GetSectionName(intptr_t index) { return section_name(index); }
LMX_API const wchar_t* GetSectionNameW(intptr_t index) { return section_name_w(index); }
LMX_API intptr_t GetIniNumW(const wchar_t* file, const wchar_t* section, const wchar_t* key) { return ini_num(wide_cstr(file), wide_cstr(section), wide_cstr(key)); }
LMX_API const wchar_t* GetIniStrW(const wchar_t* file, const wchar_t* section, const wchar_t* key) { return ini_str(wide_cstr(file), wide_cstr(section), wide_cstr(key)); }
LMX_API intptr_t IsUTF16LE(const wchar_t* file) { return byte_order_mark(wide_cstr(file)); }
LMX_API intptr_t IsBOM(const wchar_t* file) { return byte_order_mark(wide_cstr(file)); }

LMX_API intptr_t NextKey() { return step(Cursor::keys); }
LMX_API intptr_t NextKeyW() { return step_w(Cursor::keys); }
LMX_API intptr_t NextSection() { return step(Cursor::sections); }
LMX_API intptr_t NextSectionW() { return step_w(Cursor::sections); }
LMX_API const char* GetIniKey() { return read(Cursor::keys, Part::key); }
LMX_API const wchar_t* GetIniKeyW() { return read_w(Cursor::keys, Part::key); }
LMX_API const char* GetIniKeyData() { return read(Cursor::keys, Part::data); }
LMX_API const wchar_t* GetIniKeyDataW() { return read_w(Cursor::keys, Part::data); }
LMX_API const char* GetIniKeyValue() { return read(Cursor::keys, Part::value); }
LMX_API const wchar_t* GetIniKeyValueW() { return read_w(Cursor::keys, Part::value); }
LMX_API const char* GetSection() { return read(Cursor::sections, Part::whole); }
LMX_API const wchar_t* GetSectionW() { return read_w(Cursor::sections, Part::whole); }

LMX_API intptr_t WriteIniNumW(const wchar_t* file, const wchar_t* section, const wchar_t* key, intptr_t value) { return write_num(wide_cstr(file), wide_cstr(section), wide_cstr(key), value); }
LMX_API intptr_t WriteIniStrW(const wchar_t* file, const wchar_t* section, const wchar_t* key, const wchar_t* value) { return write_str(wide_cstr(file), wide_cstr(section), wide_cstr(key), wide_cstr(value)); }
