#include "ini/ini_list.h"

#include "frame/cp932.h"

namespace lmx::ini {
namespace {

template <class Char>
Char fold(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c + 32) : c;
}

}  // namespace

bool ascii_iequal(const char* a, const char* b) {
  for (;;) {
    if (cp932::is_double_byte(a) || cp932::is_double_byte(b)) {
      if (a[0] != b[0] || a[1] != b[1]) return false;
      a += 2;
      b += 2;
      continue;
    }
    if (fold(*a) != fold(*b)) return false;
    if (!*a) return true;
    ++a;
    ++b;
  }
}

bool ascii_iequal(const char16_t* a, const char16_t* b) {
  for (;; ++a, ++b) {
    if (fold(*a) != fold(*b)) return false;
    if (!*a) return true;
  }
}

}  // namespace lmx::ini
