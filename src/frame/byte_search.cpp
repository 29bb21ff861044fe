#include "frame/byte_search.h"

#include <emmintrin.h>

#include <cstring>
#include <new>

namespace lmx {

ByteSearch::ByteSearch(std::string_view text, std::string_view needle)
    : text_(text), needle_(needle), budget_(search_budget(text.size(), needle.size())) {}

namespace {

// The first position in [p, last] where the needle's first byte stands and,
// m - 1 bytes later, its last byte: sixteen positions at a time.
const char* next_candidate(const char* p, const char* last, char first, char final_byte, std::size_t m) {
  const __m128i f = _mm_set1_epi8(first), l = _mm_set1_epi8(final_byte);
  for (; p + 16 <= last + 1; p += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + m - 1));
    const int mask = _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, f), _mm_cmpeq_epi8(b, l)));
    if (mask) return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
  for (; p <= last; ++p)
    if (*p == first && p[m - 1] == final_byte) return p;
  return nullptr;
}

}  // namespace

std::size_t ByteSearch::next(std::size_t from) {
  const std::size_t n = text_.size(), m = needle_.size();
  if (m == 0 || from > n || n - from < m) return npos;
  if (budget_ >= 0) {
    const char* const base = text_.data();
    const char* const last_start = base + (n - m);
    for (const char* p = base + from; p <= last_start; ++p) {
      p = next_candidate(p, last_start, needle_[0], needle_[m - 1], m);
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
  if (!border_) {
    // Without room for the table the search stays correct, only slower.
    border_.reset(new (std::nothrow) std::size_t[m + 1]);
    if (!border_) return next_plain(from);
    border_[0] = border_[1] = 0;
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

std::size_t ByteSearch::next_plain(std::size_t from) const {
  const std::size_t hit = text_.find(needle_, from);
  return hit == std::string_view::npos ? npos : hit;
}

std::size_t ByteSearch::previous(std::size_t at) {
  const std::size_t n = text_.size(), m = needle_.size();
  if (m == 0 || n < m || budget_ < 0) return npos;
  if (at > n - m) at = n - m;
  const char* const base = text_.data();
  const __m128i f = _mm_set1_epi8(needle_[0]), l = _mm_set1_epi8(needle_[m - 1]);
  // The budget in a register while the scan runs (the comparison's call
  // would otherwise keep it in memory, a store every sixteen bytes).
  long long budget = budget_;
  const auto done = [&](std::size_t result) {
    budget_ = budget;
    return result;
  };
  // Sixteen candidate starts at a time, from the highest down: the needle's
  // first byte there and its last byte m - 1 later.
  std::size_t end = at + 1;  // candidates below `end` remain
  while (end > 0) {
    unsigned mask;
    std::size_t block;
    if (end >= 16) {
      block = end - 16;
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + block));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + block + m - 1));
      mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, f), _mm_cmpeq_epi8(b, l))));
    } else {
      block = 0;
      mask = 0;
      for (std::size_t p = 0; p < end; ++p)
        if (base[p] == needle_[0] && base[p + m - 1] == needle_[m - 1]) mask |= 1u << p;
    }
    budget -= 16;
    while (mask) {
      const int top = 31 - __builtin_clz(mask);
      const std::size_t p = block + static_cast<std::size_t>(top);
      budget -= static_cast<long long>(m) + 8;
      if (std::memcmp(base + p, needle_.data(), m) == 0) return done(p);
      if (budget < 0) return done(npos);
      mask &= ~(1u << top);
    }
    if (budget < 0) return done(npos);
    end = block;
  }
  return done(npos);
}

}  // namespace lmx
