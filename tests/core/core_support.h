// What the native core tests share.
#ifndef LORIMAX_TESTS_CORE_SUPPORT_H
#define LORIMAX_TESTS_CORE_SUPPORT_H

#include <string>

#include "frame/cp932.h"
#include "frame/result_buffer.h"

// A result buffer of the initial size, as the loaded library has one.
inline lmx::NarrowResult& buffer() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultInitial);
  return b;
}

// The case folds by their definition: a walk over the characters, mode 1
// ASCII letters only, mode 2 full-width Latin letters (82 60-79 / 82 81-9A)
// only, anything else both.
inline std::string model_fold(const std::string& t, unsigned mode, bool upper) {
  std::string out;
  for (std::size_t p = 0; p < t.size();) {
    if (lmx::cp932::is_double_byte(t, p)) {
      std::string pair = t.substr(p, 2);
      auto& b = reinterpret_cast<unsigned char&>(pair[1]);
      if (mode != 1 && pair[0] == '\x82') {
        if (!upper && b >= 0x60 && b <= 0x79) b += 0x21;
        if (upper && b >= 0x81 && b <= 0x9A) b -= 0x21;
      }
      out += pair;
      p += 2;
    } else {
      char c = t[p++];
      if (mode != 2 && !upper && c >= 'A' && c <= 'Z') c += 32;
      if (mode != 2 && upper && c >= 'a' && c <= 'z') c -= 32;
      out += c;
    }
  }
  return out;
}

#endif
