// The library's own version, read from the FileVersion text of its version
// resource ("1, 29, 0, 0" gives 12900 and "1.29.00").
#ifndef LORIMAX_FRAME_VERSION_H
#define LORIMAX_FRAME_VERSION_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lmx {

struct Version {
  std::int64_t number = 0;
  char text[20] = {};  // zero-terminated; empty when unreadable
};

// Walks a FileVersion text: digits are collected, other characters skipped,
// and each "," closes a field. Only the first three fields count; a field of
// more than 19 digits keeps its first 19.
Version parse_file_version(std::string_view file_version);

// The version read at module start.
const Version& library_version();
void set_library_version(const Version& v);

}  // namespace lmx

#endif
