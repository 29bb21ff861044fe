// The bulk output of the tests' child program: ten-byte lines that each name
// their own offset ("000000000\n", "000000010\n", ...), so that a lost,
// doubled or reordered piece shows where it happened.
#ifndef LORIMAX_TESTS_PROCESS_PATTERN_H
#define LORIMAX_TESTS_PROCESS_PATTERN_H

#include <cstdio>
#include <string>

inline std::string bulk_pattern(std::size_t count) {
  std::string out;
  out.reserve(count + 10);
  for (std::size_t offset = 0; out.size() < count; offset += 10) {
    char line[16];
    std::snprintf(line, sizeof line, "%09zu\n", offset);
    out += line;
  }
  out.resize(count);
  return out;
}

#endif
