// The longest path Windows allows is 32,767 UTF-16 code units. A longer
// argument names no file, and some system functions choke on one (Wine's
// profile functions overflow their stack on a name of a million bytes), so
// every export that takes a path asks path_fits() before any system call and
// gives its failure value when it says no.
#ifndef LORIMAX_FRAME_PATH_LIMIT_H
#define LORIMAX_FRAME_PATH_LIMIT_H

#include <cstddef>

namespace lmx {

inline constexpr std::size_t kLongestPath = 32767;
// The ANSI file functions and shlwapi's path functions work in MAX_PATH
// buffers (260 with the terminator): a longer path must not reach them, or
// their answer depends on how each copes with it.
inline constexpr std::size_t kLongestShortPath = 259;
// The profile functions take no long paths either; Wine's overrun a stack
// buffer on a name of 9,000 characters and hang on one of 1,000.
inline constexpr std::size_t kLongestProfilePath = kLongestShortPath;

// A narrow path is code page 932: each character, one byte or two, is one
// UTF-16 code unit. Only the first `longest` + 1 characters are looked at.
bool path_fits(const char* path, std::size_t longest = kLongestPath);
bool path_fits(const char16_t* path, std::size_t longest = kLongestPath);

// How many characters of a path its folder takes, its last separator (or the
// colon of a drive) included; 0 for a bare name. A narrow path is walked by
// character: a trail byte of code page 932 may be 5C.
std::size_t folder_length(const char* path);
std::size_t folder_length(const char16_t* path);

// A path that names a device rather than a file: CON, PRN, AUX, NUL, COM0 to
// COM9 and LPT0 to LPT9 (also with the superscript digits 1 to 3), CONIN$ and
// CONOUT$, with or without an extension, in any folder and any case, and any
// path in the \\.\ device namespace. A read of one can wait for ever on a
// serial port, and a write to one loses its text without a word, so every
// export that opens a path for reading or writing refuses them; the path
// queries still report what Windows reports.
bool names_a_device(const char* path);
bool names_a_device(const char16_t* path);

// What an export that opens a path asks first: it fits, and it names a file.
template <class Char>
bool may_open(const Char* path, std::size_t longest = kLongestPath) {
  return path_fits(path, longest) && !names_a_device(path);
}

#ifdef _WIN32
inline bool path_fits(const wchar_t* path, std::size_t longest = kLongestPath) {
  return path_fits(reinterpret_cast<const char16_t*>(path), longest);
}
inline bool names_a_device(const wchar_t* path) { return names_a_device(reinterpret_cast<const char16_t*>(path)); }
inline std::size_t folder_length(const wchar_t* path) { return folder_length(reinterpret_cast<const char16_t*>(path)); }
inline bool may_open(const wchar_t* path, std::size_t longest = kLongestPath) {
  return may_open(reinterpret_cast<const char16_t*>(path), longest);
}
#endif

}  // namespace lmx

#endif
