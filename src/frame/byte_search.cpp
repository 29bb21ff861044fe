#include "frame/byte_search.h"

#include <cstring>

namespace lmx {

ByteSearch::ByteSearch(std::string_view text, std::string_view needle)
    : text_(text), needle_(needle), budget_(4 * static_cast<long long>(text.size() + needle.size()) + 1024) {}

std::size_t ByteSearch::next(std::size_t from) {
  const std::size_t n = text_.size(), m = needle_.size();
  if (m == 0 || from > n || n - from < m) return npos;
  if (budget_ >= 0) {
    const char first = needle_[0];
    const char* const base = text_.data();
    const char* const last_start = base + (n - m);
    for (const char* p = base + from; p <= last_start; ++p) {
      p = static_cast<const char*>(std::memchr(p, first, static_cast<std::size_t>(last_start - p) + 1));
      if (!p) return npos;
      budget_ -= static_cast<long long>(m) + 8;
      if (std::memcmp(p + 1, needle_.data() + 1, m - 1) == 0) return static_cast<std::size_t>(p - base);
      if (budget_ < 0) {
        from = static_cast<std::size_t>(p - base) + 1;
        break;
      }
    }
    if (budget_ >= 0) return npos;
  }
  return next_streaming(from);
}

std::size_t ByteSearch::next_streaming(std::size_t from) {
  const std::size_t n = text_.size(), m = needle_.size();
  if (border_.empty()) {
    border_.assign(m + 1, 0);
    for (std::size_t k = 2; k <= m; ++k) {
      std::size_t b = border_[k - 1];
      while (b > 0 && needle_[k - 1] != needle_[b]) b = border_[b];
      border_[k] = needle_[k - 1] == needle_[b] ? b + 1 : 0;
    }
  }
  if (valid_from_ == npos || from < valid_from_ || from > pos_) {
    pos_ = from;
    state_ = 0;
  } else {
    while (pos_ - state_ < from) state_ = border_[state_];
  }
  valid_from_ = from;
  while (pos_ < n) {
    const char c = text_[pos_];
    while (state_ > 0 && c != needle_[state_]) state_ = border_[state_];
    if (c == needle_[state_]) ++state_;
    ++pos_;
    if (state_ == m) {
      const std::size_t start = pos_ - m;
      state_ = border_[m];
      valid_from_ = start + 1;
      return start;
    }
  }
  return npos;
}

std::size_t ByteSearch::previous(std::size_t at) {
  const std::size_t n = text_.size(), m = needle_.size();
  if (m == 0 || n < m || budget_ < 0) return npos;
  if (at > n - m) at = n - m;
  const char first = needle_[0];
  for (std::size_t p = at + 1; p-- > 0;) {
    if (--budget_ < 0) return npos;
    if (text_[p] != first) continue;
    budget_ -= static_cast<long long>(m) + 8;
    if (std::memcmp(text_.data() + p + 1, needle_.data() + 1, m - 1) == 0) return p;
    if (budget_ < 0) return npos;
  }
  return npos;
}

}  // namespace lmx
