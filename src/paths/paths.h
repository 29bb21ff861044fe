// Path and file-system queries: thin layers over the shell's path functions
// and the kernel, plus the long-name rebuild and the host's encoding analysis.
#ifndef LORIMAX_PATHS_PATHS_H
#define LORIMAX_PATHS_PATHS_H

#include <cstdint>

namespace lmx::paths {

intptr_t analyze_encoding(const wchar_t* path);
const char* change_extension(const char* path, const char* extension);
const char* compact(const char* path, intptr_t width);
const char* canonical(const char* path);
intptr_t attributes(const char* path);
const char* base_name(const char* path);
const char* extension(const char* path);
const char* file_name(const char* path);
const char* long_name(const char* path);
const char* parent_folder(const char* path);
const char* relative_path(const char* from, const char* to);
const char* short_name(const char* path);
const char* special_folder(intptr_t number);
intptr_t is_directory(const char* path);
intptr_t is_file(const char* path);
intptr_t matches(const char* name, const char* pattern);
intptr_t is_relative(const char* path);

}  // namespace lmx::paths

#endif
