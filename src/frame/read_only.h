// A file marked read-only. Windows refuses to open one for writing; Wine lets
// a process that runs as root write it all the same. The exports that write a
// file check the mark themselves, so that a user's read-only file stays whole
// wherever the library runs.
#ifndef LORIMAX_FRAME_READ_ONLY_H
#define LORIMAX_FRAME_READ_ONLY_H

#include <windows.h>

namespace lmx {

inline bool read_only_attributes(DWORD a) {
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) && (a & FILE_ATTRIBUTE_READONLY);
}
inline bool marked_read_only(const char* path) { return read_only_attributes(GetFileAttributesA(path)); }
inline bool marked_read_only(const wchar_t* path) { return read_only_attributes(GetFileAttributesW(path)); }

}  // namespace lmx

#endif
