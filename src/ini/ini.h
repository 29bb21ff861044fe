// INI profiles: loading a section's entries or a file's section names into
// module-wide lists, lookups in them, cursors over them, direct reads, the
// byte-order-mark probe and the UTF-16LE writers. Narrow and wide families
// keep separate lists.
#ifndef LORIMAX_INI_INI_H
#define LORIMAX_INI_INI_H

#include <cstdint>

#include "frame/lifecycle.h"
#include "ini/ini_list.h"

namespace lmx::ini {

void start_lists();
void stop_lists(StopReason);

intptr_t read_section_keys(const char* file, const char* section);
intptr_t read_section_keys(const wchar_t* file, const wchar_t* section);
intptr_t read_section_names(const char* file);
intptr_t read_section_names(const wchar_t* file);

intptr_t exist_key(const char* key);
intptr_t exist_key(const wchar_t* key);
intptr_t exist_section(const char* name);
intptr_t exist_section(const wchar_t* name);
const char* key_value(intptr_t index);
const wchar_t* key_value_w(intptr_t index);
const char* section_name(intptr_t index);
const wchar_t* section_name_w(intptr_t index);

intptr_t ini_num(const wchar_t* file, const wchar_t* section, const wchar_t* key);
const wchar_t* ini_str(const wchar_t* file, const wchar_t* section, const wchar_t* key);
// 1 for FF FE, 2 for EF BB BF, else 0.
intptr_t byte_order_mark(const wchar_t* file);

// The cursors: which list, and the narrow or the wide one.
enum class Cursor { keys, sections };
intptr_t step(Cursor which);
intptr_t step_w(Cursor which);
const char* read(Cursor which, Part part);
const wchar_t* read_w(Cursor which, Part part);

intptr_t write_num(const wchar_t* file, const wchar_t* section, const wchar_t* key, intptr_t value);
intptr_t write_str(const wchar_t* file, const wchar_t* section, const wchar_t* key, const wchar_t* value);

}  // namespace lmx::ini

#endif
