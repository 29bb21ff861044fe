#include "ini/ini_list.h"

#include "frame/cp932.h"

namespace lmx::ini {
namespace {

template <class Char>
Char fold(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c + 32) : c;
}

template <class Char>
bool is_ascii_alnum(Char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

template <class Char>
bool surely_differs_as(const Char* entry, const Char* search) {
  for (;; ++entry, ++search) {
    if (!is_ascii_alnum(*entry) || !is_ascii_alnum(*search)) return false;
    if (fold(*entry) != fold(*search)) return true;
  }
}

}  // namespace

bool surely_differs(const char* entry, const char* search) { return surely_differs_as(entry, search); }
bool surely_differs(const char16_t* entry, const char16_t* search) { return surely_differs_as(entry, search); }

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
