// Character walks of code page 932 built on the byte classes that Python's
// cp932 codec gives (the generated cp932_oracle.h), never on the library's own
// primitives: the models that the tests and fuzz targets compare with.
#ifndef LORIMAX_TESTS_CP932_MODEL_H
#define LORIMAX_TESTS_CP932_MODEL_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cp932_oracle.h"

namespace cp932_model {

inline unsigned char at(std::string_view t, std::size_t p) { return static_cast<unsigned char>(t[p]); }

// The code page's lead bytes, as the shell walks them: every byte that is no
// character alone, the empty rows included.
inline bool is_cp_lead(unsigned char b) { return !cp932_oracle::is_single(b); }
// The double-byte test's lead bytes: the codec's, plus the empty rows from E0
// on (EB, EC, EF); the empty rows 85 and 86 are not lead bytes.
inline bool is_test_lead(unsigned char b) { return cp932_oracle::is_lead(b) || (cp932_oracle::is_invalid(b) && b >= 0xE0); }

inline bool is_double_byte(std::string_view t, std::size_t p) {
  return p + 1 < t.size() && is_test_lead(at(t, p)) && cp932_oracle::is_trail(at(t, p + 1));
}
// Widths of the character at boundary `p`: by the double-byte test, and by
// the code page's walk (a lead byte takes any next byte).
inline std::size_t width(std::string_view t, std::size_t p) { return is_double_byte(t, p) ? 2 : 1; }
inline std::size_t cp_width(std::string_view t, std::size_t p) { return p + 1 < t.size() && is_cp_lead(at(t, p)) ? 2 : 1; }

// InStr: the first occurrence on a character boundary of the double-byte
// test at or after `start` (a start inside a character moves past it).
inline intptr_t first(std::size_t start, std::string_view text, std::string_view needle) {
  std::size_t p = 0;
  while (p < start) p += width(text, p);
  for (; p + needle.size() <= text.size(); p += width(text, p))
    if (text.substr(p, needle.size()) == needle) return static_cast<intptr_t>(p);
  return -1;
}
// InStrRev: the last occurrence on a character of the code page's walk.
inline intptr_t last(std::string_view text, std::string_view needle) {
  intptr_t found = -1;
  for (std::size_t p = 0; p + needle.size() <= text.size(); p += cp_width(text, p))
    if (text.substr(p, needle.size()) == needle) found = static_cast<intptr_t>(p);
  return found;
}

// The case folds, character by character: ASCII letters unless the mode is 2,
// the full-width Latin letters 82 60-79 and 82 81-9A unless it is 1.
inline std::string fold(std::string_view t, unsigned mode, bool upper) {
  std::string out(t);
  for (std::size_t p = 0; p < t.size(); p += width(t, p)) {
    const unsigned char b = at(t, p);
    if (width(t, p) == 2) {
      const unsigned char trail = at(t, p + 1);
      if (mode != 1 && b == 0x82 && !upper && trail >= 0x60 && trail <= 0x79) out[p + 1] = static_cast<char>(trail + 0x21);
      if (mode != 1 && b == 0x82 && upper && trail >= 0x81 && trail <= 0x9A) out[p + 1] = static_cast<char>(trail - 0x21);
    } else if (mode != 2) {
      if (!upper && b >= 'A' && b <= 'Z') out[p] = static_cast<char>(b + 32);
      if (upper && b >= 'a' && b <= 'z') out[p] = static_cast<char>(b - 32);
    }
  }
  return out;
}

// The trims: [begin, end) of what is left when every leading and trailing
// character (walked by `w`) for which `trimmed` holds is removed; an all-
// trimmed text leaves [size, size).
template <class Width, class Trimmed>
std::pair<std::size_t, std::size_t> kept(std::string_view t, Width w, Trimmed trimmed) {
  std::size_t p = 0;
  while (p < t.size() && trimmed(t.substr(p, w(t, p)))) p += w(t, p);
  const std::size_t begin = p;
  std::size_t end = p;
  for (; p < t.size(); p += w(t, p))
    if (!trimmed(t.substr(p, w(t, p)))) end = p + w(t, p);
  return {begin, end};
}
inline bool is_white_space(std::string_view c) {
  return c == "\x81\x40" || (c.size() == 1 && (c[0] == ' ' || (c[0] >= 0x09 && c[0] <= 0x0D)));
}
// StrTrimA's membership: whole characters of the set, by the code page's walk.
inline bool in_set(std::string_view set, std::string_view c) {
  for (std::size_t p = 0; p < set.size(); p += cp_width(set, p))
    if (set.substr(p, cp_width(set, p)) == c) return true;
  return false;
}

// The bytes at the edges of the codec's classes (each byte whose classes
// differ from a neighbour's), so that random texts reach the ends of every
// range.
inline std::vector<unsigned char> edge_bytes() {
  std::vector<unsigned char> edges;
  for (int b = 0; b < 256; ++b)
    if ((b > 0 && cp932_oracle::kFlags[b] != cp932_oracle::kFlags[b - 1]) ||
        (b < 255 && cp932_oracle::kFlags[b] != cp932_oracle::kFlags[b + 1]))
      edges.push_back(static_cast<unsigned char>(b));
  return edges;
}

}  // namespace cp932_model

#endif
