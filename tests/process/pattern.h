// The bulk output of the tests' child program: ten-byte lines that each name
// their own offset ("000000000\n", "000000010\n", ...), so that a lost,
// doubled or reordered piece shows where it happened.
#ifndef LORIMAX_TESTS_PROCESS_PATTERN_H
#define LORIMAX_TESTS_PROCESS_PATTERN_H

#include <cstdio>
#include <string>

inline std::string bulk_pattern(std::size_t from, std::size_t count) {
  std::string out;
  out.reserve(count + 10);
  for (std::size_t line = from / 10 * 10; out.size() < count + (from % 10); line += 10) {
    char text[16];
    std::snprintf(text, sizeof text, "%09zu\n", line);
    out += text;
  }
  return out.substr(from % 10, count);
}

#endif
