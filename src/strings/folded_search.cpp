#include "strings/folded_search.h"

#include "frame/byte_search.h"

#include <emmintrin.h>

#include <cstdint>
#include <memory>
#include <new>

#include "frame/cp932.h"

namespace lmx::strings {
namespace {

using cp932::Walk;

unsigned char byte_at(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// The bytes of the text that may fold to `c`: c itself and, for a small
// letter, its capital (a superset: whether the capital folds depends on where
// it stands, which the comparison of a candidate settles).
struct Preimage {
  unsigned char same, capital;
};
Preimage preimage(unsigned char c, unsigned mode) {
  if (cp932::folds_ascii(mode) && c >= 'a' && c <= 'z') return {c, static_cast<unsigned char>(c - 0x20)};
  if (cp932::folds_full_width(mode) && c >= 0x81 && c <= 0x9A) return {c, static_cast<unsigned char>(c - 0x21)};
  return {c, c};
}

class FoldedText {
 public:
  FoldedText(std::string_view text, std::string_view needle, unsigned mode)
      : text_(text), needle_(needle), mode_(mode),
        first_(preimage(byte_at(needle, 0), mode)), last_(preimage(byte_at(needle, needle.size() - 1), mode)) {}

  // The first candidate start in [p, last]: the needle's first byte may stand
  // at it and its last byte m - 1 later. Sixteen starts at a time.
  std::size_t next_candidate(std::size_t p, std::size_t last) const {
    for (; p + 16 <= last + 1; p += 16) {
      const unsigned mask = candidates16(p);
      if (mask) return p + static_cast<std::size_t>(__builtin_ctz(mask));
    }
    for (; p <= last; ++p)
      if (candidate(p)) return p;
    return kNotFound;
  }
  // The last candidate start below `end`.
  std::size_t previous_candidate(std::size_t end) const {
    while (end >= 16) {
      const std::size_t block = end - 16;
      const unsigned mask = candidates16(block);
      if (mask) return block + static_cast<std::size_t>(31 - __builtin_clz(mask));
      end = block;
    }
    while (end > 0)
      if (candidate(--end)) return end;
    return kNotFound;
  }

  // Whether the folded text holds the needle at p; `p_is_trail` says whether
  // p is the trail byte of a pair of the double-byte test.
  bool matches(std::size_t p, bool p_is_trail) const {
    bool trail = p_is_trail;
    for (std::size_t k = 0; k < needle_.size(); ++k) {
      const std::size_t j = p + k;
      unsigned char folded;
      if (trail) {
        folded = cp932::lower_trail(byte_at(text_, j - 1), byte_at(text_, j), mode_);
        trail = false;
      } else if (cp932::is_double_byte(text_, j)) {
        folded = byte_at(text_, j);  // a lead byte never folds
        trail = true;
      } else {
        folded = cp932::lower_single(byte_at(text_, j), mode_);
      }
      if (folded != byte_at(needle_, k)) return false;
    }
    return true;
  }

  // Whether p is a trail byte under the double-byte test: the byte after one
  // that is no lead byte starts a character, and the lead bytes from there
  // pair up. `work` counts the bytes looked at.
  bool is_trail(std::size_t p, std::size_t& work) const {
    std::size_t q = p;
    while (q > 0 && cp932::is_lead(byte_at(text_, q - 1))) --q;
    work += p - q;
    return (p - q) % 2 == 1 && cp932::is_trail(byte_at(text_, p));
  }

  // Whether p starts a character of the code page's walk over the folded
  // text: the run of its lead bytes before p is even. A full-width capital's
  // trail byte (60-79 after 82) folds into that walk's lead range.
  bool starts_code_page_character(std::size_t p, std::size_t& work) const {
    std::size_t q = p;
    while (q > 0) {
      const unsigned char b = byte_at(text_, q - 1);
      const bool lead = cp932::is_cp_lead(b) || (cp932::folds_full_width(mode_) && b >= 0x60 && b <= 0x79 && q >= 2 &&
                                                 byte_at(text_, q - 2) == 0x82 && is_trail(q - 1, work));
      if (!lead) break;
      --q;
    }
    work += p - q;
    return (p - q) % 2 == 0;
  }

 private:
  bool candidate(std::size_t p) const {
    const unsigned char a = byte_at(text_, p), b = byte_at(text_, p + needle_.size() - 1);
    return (a == first_.same || a == first_.capital) && (b == last_.same || b == last_.capital);
  }
  unsigned candidates16(std::size_t p) const {
    const auto* base = reinterpret_cast<const __m128i*>(text_.data() + p);
    const __m128i a = _mm_loadu_si128(base);
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_.data() + p + needle_.size() - 1));
    const __m128i at_first = _mm_or_si128(_mm_cmpeq_epi8(a, _mm_set1_epi8(static_cast<char>(first_.same))),
                                          _mm_cmpeq_epi8(a, _mm_set1_epi8(static_cast<char>(first_.capital))));
    const __m128i at_last = _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8(static_cast<char>(last_.same))),
                                         _mm_cmpeq_epi8(b, _mm_set1_epi8(static_cast<char>(last_.capital))));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(at_first, at_last)));
  }

  std::string_view text_, needle_;
  unsigned mode_;
  Preimage first_, last_;
};

// The fallback when candidates cost too much (periodic texts): one pass that
// folds each byte as it comes, tracks both walks and feeds a Knuth-Morris-
// Pratt automaton, so no byte is looked at twice. Calls found(start) for each
// occurrence that begins on a character of `walk`, until it returns false.
// `from` is a character boundary of both walks. False when out of memory.
template <class Found>
bool stream(std::string_view text, std::string_view needle, unsigned mode, std::size_t from, Walk walk, Found found) {
  const std::size_t n = text.size(), m = needle.size();
  std::unique_ptr<std::size_t[]> border(new (std::nothrow) std::size_t[m + 1]);
  std::unique_ptr<bool[]> starts(new (std::nothrow) bool[m]);  // the last m positions: a character starts there
  if (!border || !starts) return false;
  border[0] = 0;
  if (m >= 1) border[1] = 0;
  for (std::size_t k = 2; k <= m; ++k) {
    std::size_t b = border[k - 1];
    while (b > 0 && needle[k - 1] != needle[b]) b = border[b];
    border[k] = needle[k - 1] == needle[b] ? b + 1 : 0;
  }
  bool dbt_trail = false, cp_trail = false;
  std::size_t state = 0;
  for (std::size_t j = from; j < n; ++j) {
    const bool dbt_start = !dbt_trail;
    char folded;
    if (dbt_trail) {
      folded = static_cast<char>(cp932::lower_trail(byte_at(text, j - 1), byte_at(text, j), mode));
      dbt_trail = false;
    } else if (cp932::is_double_byte(text, j)) {
      folded = text[j];
      dbt_trail = true;
    } else {
      folded = static_cast<char>(cp932::lower_single(byte_at(text, j), mode));
    }
    const bool cp_start = !cp_trail;
    cp_trail = cp_start && cp932::is_cp_lead(static_cast<unsigned char>(folded)) && j + 1 < n;
    starts[j % m] = walk == Walk::double_byte_test ? dbt_start : cp_start;
    while (state > 0 && folded != needle[state]) state = border[state];
    if (folded == needle[state]) ++state;
    if (state == m) {
      state = border[m];
      const std::size_t start = j + 1 - m;
      if (starts[start % m] && !found(start)) break;
    }
  }
  return true;
}

}  // namespace

std::size_t find_folded(std::string_view text, std::string_view needle, std::size_t from, unsigned mode) {
  const std::size_t n = text.size(), m = needle.size();
  if (m == 0 || m > n || from > n - m) return kNotFound;
  const FoldedText folded(text, needle, mode);
  cp932::Boundaries boundaries(text, Walk::double_byte_test);
  long long budget = search_budget(n, m);
  for (std::size_t p = from;;) {
    p = folded.next_candidate(p, n - m);
    if (p == kNotFound) return kNotFound;
    const std::size_t at = boundaries.at_or_after(p);
    if (at == p && folded.matches(p, false)) return p;
    budget -= static_cast<long long>(m) + 8;
    if (budget < static_cast<long long>(boundaries.work())) {
      std::size_t first = kNotFound;
      stream(text, needle, mode, at, Walk::double_byte_test, [&first](std::size_t start) {
        first = start;
        return false;
      });
      return first;
    }
    p = at > p ? at : p + 1;  // between p and `at` nothing starts a character
    if (p > n - m) return kNotFound;
  }
}

std::size_t find_last_folded(std::string_view text, std::string_view needle, unsigned mode) {
  const std::size_t n = text.size(), m = needle.size();
  if (m == 0 || m > n) return kNotFound;
  const FoldedText folded(text, needle, mode);
  long long budget = search_budget(n, m);
  std::size_t work = 0;
  for (std::size_t end = n - m + 1;;) {
    const std::size_t p = folded.previous_candidate(end);
    if (p == kNotFound) return kNotFound;
    if (folded.matches(p, p > 0 && folded.is_trail(p, work)) && folded.starts_code_page_character(p, work)) return p;
    budget -= static_cast<long long>(m) + 8;
    if (budget < static_cast<long long>(work)) {
      // Everything above p has been ruled out; the last occurrence at or below it.
      std::size_t last = kNotFound;
      stream(text.substr(0, p + m), needle, mode, 0, Walk::code_page, [&last](std::size_t start) {
        last = start;
        return true;
      });
      return last;
    }
    end = p;
  }
}

}  // namespace lmx::strings
