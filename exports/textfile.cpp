// Text-file exports: the ten file slots.
#include "exports/api.h"
#include "frame/text_args.h"
#include "textfile/textfile.h"

using namespace lmx;
using namespace lmx::textfile;

LMX_API intptr_t FileOpen(const char* path, const char* mode) { return open(narrow_cstr(path), narrow_cstr(mode)); }
LMX_API intptr_t FileOpenW(const wchar_t* path, const wchar_t* mode, const wchar_t* encoding) { return open_w(wide_cstr(path), wide_cstr(mode), wide_cstr(encoding)); }
LMX_API intptr_t FileClose(intptr_t handle) { return close(handle); }
LMX_API intptr_t FileDelete(const char* path) { return delete_file(narrow_cstr(path)); }
LMX_API intptr_t FileError() { return error_word(); }
LMX_API intptr_t IsOpen(intptr_t handle) { return is_open(handle); }
LMX_API intptr_t IsEncode(intptr_t handle) { return encoding_of(handle); }
LMX_API intptr_t IsEof(intptr_t handle) { return at_end(handle); }
LMX_API intptr_t IsFerror(intptr_t handle) { return has_error(handle); }
LMX_API const char* RdFile(intptr_t handle) { return read_line(handle, Line::with_feed); }
LMX_API const char* RdFile2(intptr_t handle) { return read_line(handle, Line::without_feed); }
LMX_API const char* RdFileLine(intptr_t handle) { return read_line(handle, Line::without_feed); }
LMX_API const char* RdFileByte(intptr_t handle, intptr_t count) { return read_bytes(handle, count); }
LMX_API const wchar_t* RdFileW(intptr_t handle) { return read_line_w(handle, Line::with_feed); }
LMX_API const wchar_t* RdFileLineW(intptr_t handle) { return read_line_w(handle, Line::without_feed); }
LMX_API intptr_t WrFile(intptr_t handle, const char* text) { return write(handle, narrow_cstr(text), Line::without_feed); }
LMX_API intptr_t WrFileLine(intptr_t handle, const char* text) { return write(handle, narrow_cstr(text), Line::with_feed); }
LMX_API intptr_t WrFileW(intptr_t handle, const wchar_t* text) { return write_w(handle, wide_cstr(text), Line::without_feed); }
LMX_API intptr_t WrFileLineW(intptr_t handle, const wchar_t* text) { return write_w(handle, wide_cstr(text), Line::with_feed); }
