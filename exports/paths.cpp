// Path and file-system exports.
#include "exports/api.h"
#include "frame/text_args.h"
#include "paths/paths.h"

using namespace lmx;
using namespace lmx::paths;

LMX_API intptr_t AnalyzeEncoding(const wchar_t* path) { return analyze_encoding(wide_cstr(path)); }
LMX_API const char* GetChangeFileExt(const char* path, const char* extension) { return change_extension(narrow_cstr(path), narrow_cstr(extension)); }
LMX_API const char* GetCompactPath(const char* path, intptr_t width) { return compact(narrow_cstr(path), width); }
LMX_API const char* GetExpandPath(const char* path) { return canonical(narrow_cstr(path)); }
LMX_API intptr_t GetFileAttr(const char* path) { return attributes(narrow_cstr(path)); }
LMX_API const char* GetFileBaseName(const char* path) { return base_name(narrow_cstr(path)); }
LMX_API const char* GetFileExtention(const char* path) { return extension(narrow_cstr(path)); }
LMX_API const char* GetFileName(const char* path) { return file_name(narrow_cstr(path)); }
LMX_API const char* GetLongName(const char* path) { return long_name(narrow_cstr(path)); }
LMX_API const char* GetParentFolder(const char* path) { return parent_folder(narrow_cstr(path)); }
LMX_API const char* GetRelativePathTo(const char* from, const char* to) { return relative_path(narrow_cstr(from), narrow_cstr(to)); }
LMX_API const char* GetShortName(const char* path) { return short_name(narrow_cstr(path)); }
LMX_API const char* GetSpecialFolder(intptr_t folder) { return special_folder(folder); }
LMX_API intptr_t IsDirectory(const char* path) { return is_directory(narrow_cstr(path)); }
LMX_API intptr_t IsFile(const char* path) { return is_file(narrow_cstr(path)); }
LMX_API intptr_t IsMatchFileName(const char* name, const char* pattern) { return matches(narrow_cstr(name), narrow_cstr(pattern)); }
LMX_API intptr_t IsRelativePath(const char* path) { return is_relative(narrow_cstr(path)); }
