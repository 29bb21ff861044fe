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
#ifdef _WIN32
inline bool path_fits(const wchar_t* path, std::size_t longest = kLongestPath) {
  return path_fits(reinterpret_cast<const char16_t*>(path), longest);
}
#endif

}  // namespace lmx

#endif
