// Size strings: a byte count as a short text with a decimal unit.
#ifndef LORIMAX_FORMAT_SIZE_TEXT_H
#define LORIMAX_FORMAT_SIZE_TEXT_H

#include <cstdint>

namespace lmx::size_text {

// The three texts of one size query, each at most 255 bytes.
struct SizeTexts {
  char text[256] = {};    // value padded to width 5, a space, the unit: "  1.5 MB"
  char number[256] = {};  // the value alone: "1.5"
  char unit[256] = {};    // "bytes", "KB", "MB", "GB" or "TB"
  void clear() { text[0] = number[0] = unit[0] = 0; }
};

// KB is 1000 bytes; a value of exactly 1000 stays in the smaller unit. Values
// with a fraction below 0.04 are shown whole, others with one decimal.
SizeTexts describe(std::uint64_t bytes);

}  // namespace lmx::size_text

#endif
