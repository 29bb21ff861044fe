// Files the Wine suites write byte for byte and read back.
#ifndef LORIMAX_TESTS_FILES_H
#define LORIMAX_TESTS_FILES_H

#include <string>

// The whole file's bytes; empty when it cannot be read.
std::string read_bytes(const std::string& file);
std::string read_bytes(const std::wstring& file);
// Writes the file anew, making its folder first (one level).
void write_bytes(const std::string& file, const std::string& bytes);
// Deletes the folder and all below it, read-only files included.
void remove_tree(const std::wstring& folder);
// The text as a UTF-16LE file's bytes, the FF FE mark first.
std::string utf16le_file(const char8_t* utf8);

#endif
