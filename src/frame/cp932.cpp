#include "frame/cp932.h"

#include "frame/byte_search.h"

#include <emmintrin.h>

#include <bitset>
#include <cstdint>
#include <cstring>

namespace lmx::cp932 {
namespace {

inline unsigned char byte_at(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool is_ascii_space(unsigned char b) { return b == 0x20 || (b >= 0x09 && b <= 0x0D); }

// Membership of whole characters (by the code-page walk) in a set, in time
// independent of the set's length.
class CharSet {
 public:
  explicit CharSet(std::string_view set) {
    for (std::size_t i = 0; i < set.size();) {
      const std::size_t w = cp_char_width(set, i);
      if (w == 2)
        pairs_.set(byte_at(set, i) << 8 | byte_at(set, i + 1));
      else
        singles_.set(byte_at(set, i));
      i += w;
    }
  }
  bool contains(std::string_view text, std::size_t pos, std::size_t width) const {
    return width == 2 ? pairs_.test(byte_at(text, pos) << 8 | byte_at(text, pos + 1)) : singles_.test(byte_at(text, pos));
  }

 private:
  std::bitset<256> singles_;
  std::bitset<65536> pairs_;
};

std::size_t span_of(std::string_view text, const CharSet& members) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t w = cp_char_width(text, i);
    if (!members.contains(text, i, w)) break;
    i += w;
  }
  return i;
}

}  // namespace

std::size_t Boundaries::cp_width(std::size_t pos) const { return cp_char_width(text_, pos); }

std::size_t Boundaries::at_or_after(std::size_t pos) {
  if (pos >= text_.size()) return pos;
  const std::size_t from = pos >= known_ ? known_ : 0;
  std::size_t q = pos;
  if (walk_ == Walk::double_byte_test) {
    // A byte that cannot be a trail byte starts a character.
    while (q > from && is_trail(byte_at(text_, q))) --q;
    work_ += pos - q;
    while (q < pos) q += char_width(text_, q);
  } else {
    // The byte after one that is no lead byte starts a character, and the run
    // of lead bytes before `pos` pairs up from its start.
    while (q > from && is_cp_lead(byte_at(text_, q - 1))) --q;
    work_ += pos - q;
    q = ((pos - q) % 2 == 0) ? pos : pos + 1;
  }
  known_ = q;
  return q;
}

std::size_t white_space_width(std::string_view text, std::size_t pos, Direction dir) {
  const unsigned char b = byte_at(text, pos);
  if (dir == Direction::forward) {
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
      return (b == 0x81 && pos + 1 < text.size() && byte_at(text, pos + 1) == 0x40) ? 2 : 0;
  } else if (b == 0x40) {
    return (pos > 0 && byte_at(text, pos - 1) == 0x81) ? 2 : 0;
  }
  return is_ascii_space(b) ? 1 : 0;
}

std::string_view trim_left(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t w = white_space_width(text, i, Direction::forward);
    if (w == 0) break;
    i += w;
  }
  return text.substr(i);
}

// A trailing 81 40 is white space only when it is a whole character (after メ,
// 83 81 40 ends in the letter @). ASCII white space lies below the trail-byte
// range, so it is always a whole character and goes byte by byte; for the rest
// the characters are walked from the nearest byte that cannot be a trail byte,
// which is a character boundary, so the walk never starts from the text's
// beginning unless it has to.
std::string_view trim_right(std::string_view text) {
  std::size_t end = text.size();
  for (;;) {
    while (end > 0 && is_ascii_space(byte_at(text, end - 1))) --end;
    if (end < 2 || byte_at(text, end - 1) != 0x40 || byte_at(text, end - 2) != 0x81) break;
    std::size_t start = end - 1;
    while (start > 0 && is_trail(byte_at(text, start))) --start;
    std::size_t keep = start;
    for (std::size_t i = start; i < end;) {
      const std::size_t w = char_width(text.substr(0, end), i);
      const bool space = w == 2 ? (byte_at(text, i) == 0x81 && byte_at(text, i + 1) == 0x40) : is_ascii_space(byte_at(text, i));
      i += w;
      if (!space) keep = i;
    }
    if (keep > start || start == 0) {
      end = keep;
      break;
    }
    end = start;  // all white space from a boundary on: trim what lies before it too
  }
  return text.substr(0, end);
}

char* trim_left_in_place(char* s) {
  const std::string_view text(s);
  const std::string_view kept = trim_left(text);
  std::memmove(s, kept.data(), kept.size() + 1);
  return s;
}

char* trim_right_in_place(char* s) {
  s[trim_right(s).size()] = 0;
  return s;
}

char* trim_in_place(char* s) { return trim_right_in_place(trim_left_in_place(s)); }

bool is_wide_space(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
         c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::u16string_view trim_right_wide(std::u16string_view text) {
  while (!text.empty() && is_wide_space(text.back())) text.remove_suffix(1);
  return text;
}

char16_t* trim_right_wide_in_place(char16_t* s) {
  s[trim_right_wide(s).size()] = 0;
  return s;
}

namespace {

// Bit k set: byte k of the 16 at p lies in [lo, hi].
unsigned in_range16(__m128i flipped, unsigned char lo, unsigned char hi) {
  const __m128i above = _mm_cmpgt_epi8(flipped, _mm_set1_epi8(static_cast<char>((lo - 1) ^ 0x80)));
  const __m128i below = _mm_cmplt_epi8(flipped, _mm_set1_epi8(static_cast<char>((hi + 1) ^ 0x80)));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(above, below)));
}

// One bit a byte of 64: the bytes of a class at p, found sixteen at a time.
template <class Test>
std::uint64_t mask64(const unsigned char* p, Test test) {
  std::uint64_t m = 0;
  for (int k = 0; k < 4; ++k) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const __m128i flipped = _mm_xor_si128(v, _mm_set1_epi8(static_cast<char>(0x80)));  // unsigned order
    m |= std::uint64_t{test(v, flipped)} << (16 * k);
  }
  return m;
}

std::uint64_t lead_mask(const unsigned char* p) {
  return mask64(p, [](__m128i, __m128i f) {
    return in_range16(f, 0x81, 0x84) | in_range16(f, 0x87, 0x9F) | in_range16(f, 0xE0, 0xFC);
  });
}
std::uint64_t trail_mask(const unsigned char* p) {
  return mask64(p, [](__m128i v, __m128i f) {
    return in_range16(f, 0x40, 0xFC) & ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(0x7F))));
  });
}
std::uint64_t range_mask(const unsigned char* p, unsigned char lo, unsigned char hi) {
  return mask64(p, [lo, hi](__m128i, __m128i f) { return in_range16(f, lo, hi); });
}

// The bytes that a lead byte at a character boundary takes with it: within a
// run of lead bytes they pair up from the run's start (every lead byte is also
// a trail byte), and after the run's last one only when it is odd. `carry`
// says whether the block starts right after such an odd lead byte, and is set
// for the next block. (The odd-run counting of simdjson's escape finder.)
std::uint64_t taken_by_lead(std::uint64_t lead, std::uint64_t& carry) {
  constexpr std::uint64_t even = 0x5555555555555555ULL;
  lead &= ~carry;
  const std::uint64_t follows = lead << 1 | carry;
  const std::uint64_t odd_starts = lead & ~even & ~follows;
  std::uint64_t even_starts;
  carry = __builtin_add_overflow(odd_starts, lead, &even_starts) ? 1 : 0;
  return (even ^ (even_starts << 1)) & follows;
}

template <bool Upper>
void fold_walk(char* s, std::size_t from, std::size_t length, bool ascii, bool full_width) {
  const std::string_view text(s, length);
  for (std::size_t i = from; i < length;) {
    auto* p = reinterpret_cast<unsigned char*>(s + i);
    if (is_double_byte(text, i)) {
      if (full_width && p[0] == 0x82) {
        if (!Upper && p[1] >= 0x60 && p[1] <= 0x79) p[1] += 0x21;
        if (Upper && p[1] >= 0x81 && p[1] <= 0x9A) p[1] -= 0x21;
      }
      i += 2;
      continue;
    }
    if (ascii) {
      if (!Upper && p[0] >= 'A' && p[0] <= 'Z') p[0] += 0x20;
      if (Upper && p[0] >= 'a' && p[0] <= 'z') p[0] -= 0x20;
    }
    ++i;
  }
}

void add_at(unsigned char* p, std::uint64_t bits, int delta) {
  for (; bits; bits &= bits - 1) p[__builtin_ctzll(bits)] = static_cast<unsigned char>(p[__builtin_ctzll(bits)] + delta);
}

// Sixty-four bytes at a time: the trail bytes of double-byte characters are
// found as bit masks, so letters are changed only where they are characters.
template <bool Upper>
void fold(char* s, std::size_t length, unsigned mode) {
  const bool ascii = mode != fold_full_width;
  const bool full_width = mode != fold_ascii;
  auto* p = reinterpret_cast<unsigned char*>(s);
  std::uint64_t carry = 0, prev_x82 = 0;
  std::size_t i = 0;
  for (; i + 64 <= length; i += 64) {
    unsigned char* block = p + i;
    const std::uint64_t taken = taken_by_lead(lead_mask(block), carry);
    const std::uint64_t letters = ascii ? (Upper ? range_mask(block, 'a', 'z') : range_mask(block, 'A', 'Z')) : 0;
    const std::uint64_t x82 = full_width ? range_mask(block, 0x82, 0x82) : 0;
    const std::uint64_t after_x82 = x82 << 1 | prev_x82;
    prev_x82 = x82 >> 63;
    if (!letters && !after_x82) continue;  // nothing here can change
    const std::uint64_t trail_bytes = taken & trail_mask(block);
    add_at(block, letters & ~trail_bytes, Upper ? -0x20 : 0x20);
    if (after_x82)
      add_at(block, (Upper ? range_mask(block, 0x81, 0x9A) : range_mask(block, 0x60, 0x79)) & trail_bytes & after_x82,
             Upper ? -0x21 : 0x21);
  }
  // The rest walks from a boundary: the lead byte before i when it takes i.
  const std::size_t from = (i > 0 && carry && i < length && is_trail(p[i])) ? i - 1 : i;
  fold_walk<Upper>(s, from, length, ascii, full_width);
}

}  // namespace

void fold_lower(char* s, std::size_t length, unsigned mode) { fold<false>(s, length, mode); }
void fold_upper(char* s, std::size_t length, unsigned mode) { fold<true>(s, length, mode); }

std::size_t find(std::string_view text, std::string_view needle, std::size_t from, Walk walk) {
  if (needle.empty()) return npos;
  ByteSearch search(text, needle);
  Boundaries boundaries(text, walk);
  for (;;) {
    const std::size_t hit = search.next(from);
    if (hit == npos) return npos;
    from = boundaries.at_or_after(hit);
    if (from == hit) return hit;
    // The occurrence began inside the character that ends at `from`.
  }
}

std::size_t span(std::string_view text, std::string_view set) { return span_of(text, CharSet(set)); }

std::size_t find_first_of(std::string_view text, std::string_view set) {
  const CharSet members(set);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t w = cp_char_width(text, i);
    if (members.contains(text, i, w)) return i;
    i += w;
  }
  return npos;
}

std::string_view trim_set(std::string_view text, std::string_view set) {
  const CharSet members(set);
  const std::size_t start = span_of(text, members);
  std::size_t i = start;
  std::size_t end = start;
  while (i < text.size()) {
    const std::size_t w = cp_char_width(text, i);
    const bool member = members.contains(text, i, w);
    i += w;
    if (!member) end = i;
  }
  return text.substr(start, end - start);
}

}  // namespace lmx::cp932
