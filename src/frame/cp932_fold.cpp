// The case folds of code page 932 text, a block of 64 bytes at a time with
// AVX-512 where the processor has it, else with SSE2, and the plain
// character walk for what the blocks leave.
//
// The vector paths find lead bytes by the same rule as the scalar
// double-byte test, is_lead() in cp932.h (81-84, 87-9F, E0-FC): the AVX-512
// table is built from is_lead() itself, the SSE2 ranges spell it out. A trail
// byte needs no test of its own there (see taken_by_lead). Change one rule
// and the others with it; the tests hold every path to one model.
#include <cstdint>
#include <cstring>

#include "frame/cp932.h"
#include "frame/cp932_sse2.h"

namespace lmx::cp932 {
namespace {

// The bytes that a lead byte at a character boundary takes with it: within a
// run of lead bytes they pair up from the run's start, and after the run's
// last one only when the run is odd. (Every lead byte is also in the trail
// range, and a taken byte outside it is no letter, so the callers need no
// trail test.) `carry` says whether the block starts right after such an odd
// lead byte, and is set for the next block: the odd-run counting of
// simdjson's escape finder. The carry, 0 or 1, touches bit 0 only, so the odd
// lead bytes are found apart from it and the chain from one block's carry to
// the next is five instructions.
constexpr std::uint64_t kEvenBits = 0x5555555555555555ULL;

inline std::uint64_t taken_by_lead(std::uint64_t lead, std::uint64_t& carry) {
  std::uint64_t odd_leads = lead & ~kEvenBits;
  asm("" : "+r"(odd_leads));  // keeps the compiler from folding it into the chain
  const std::uint64_t own = lead & ~carry;
  const std::uint64_t follows = own * 2 + carry;
  const std::uint64_t odd_starts = odd_leads & ~follows;
  std::uint64_t sums;
  carry = __builtin_add_overflow(odd_starts, own, &sums) ? 1 : 0;
  return (kEvenBits ^ (sums << 1)) & follows;
}

// What a fold changes, as the byte ranges it looks at.
struct FoldRanges {
  unsigned char ascii_lo, full_width_lo;  // the letters' first byte value
  int ascii_delta, full_width_delta;
};
constexpr FoldRanges kLower{'A', 0x60, 0x20, 0x21}, kUpper{'a', 0x81, -0x20, -0x21};
constexpr unsigned char kAsciiSpan = 'Z' - 'A', kFullWidthSpan = 0x79 - 0x60;

#if defined(__x86_64__)
#define LMX_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi,bmi,bmi2")))

// Tables of 64 entries, looked up by a byte's low six bits with vpermb: one
// cheap permute, where the two-register vpermt2b costs twice its time.
struct Table64 {
  unsigned char entries[64];
};

// Each of the 64 values of the low six bits belongs to one lead byte at most
// (80-9F or E0-FF): entry i is that byte, so that a byte is a lead byte when
// its entry equals it; where there is none, a byte with other low bits, which
// no byte matches.
constexpr Table64 lead_bytes() {
  Table64 t{};
  for (int i = 0; i < 64; ++i) {
    const auto b = static_cast<unsigned char>((i < 0x20 ? 0x80 : 0xC0) | i);
    t.entries[i] = is_lead(b) ? b : static_cast<unsigned char>(i ^ 0x3F);
  }
  return t;
}

// The letters' changes, looked up by a byte clamped into a window of 64 byte
// values: 40-7F holds the ASCII letters of both cases and the upper-case
// full-width letters' trail bytes; 80-BF the lower-case ones'. A byte outside
// its window is clamped to the window's last value, 7F or BF, which is no
// letter (one signed max or min). Every other entry is 0.
enum Window : unsigned char { kWindow40 = 0x40, kWindow80 = 0x80 };
constexpr Window full_width_window(const FoldRanges& r) { return r.full_width_lo >= 0x80 ? kWindow80 : kWindow40; }
constexpr Table64 changes(unsigned char lo, unsigned char span, int delta, Window window) {
  Table64 t{};
  for (int i = 0; i < 64; ++i)
    if (static_cast<unsigned char>((window | i) - lo) <= span) t.entries[i] = static_cast<unsigned char>(delta);
  return t;
}

constexpr Table64 kLeadTable = lead_bytes();

template <const FoldRanges& R>
struct FoldTables {
  static constexpr Table64 ascii = changes(R.ascii_lo, kAsciiSpan, R.ascii_delta, kWindow40);
  static constexpr Table64 full_width = changes(R.full_width_lo, kFullWidthSpan, R.full_width_delta, full_width_window(R));
};

LMX_AVX512 inline __m512i clamp_to(Window window, __m512i v) {
  return window == kWindow40 ? _mm512_max_epi8(v, _mm512_set1_epi8(0x3F))
                             : _mm512_min_epi8(v, _mm512_set1_epi8(static_cast<char>(0xBF)));
}

template <bool Ascii, bool FullWidth, const FoldRanges& R>
struct Fold512 {
  using Tables = FoldTables<R>;
  __m512i lead, ascii, full_width;
  std::uint64_t carry = 0;

  LMX_AVX512 Fold512()
      : lead(_mm512_loadu_si512(kLeadTable.entries)),
        ascii(_mm512_loadu_si512(Tables::ascii.entries)),
        full_width(_mm512_loadu_si512(Tables::full_width.entries)) {}

  // One block of 64 bytes `v`, `before` being the bytes one place earlier:
  // the taken bytes follow from the lead bytes and the carry; bytes not taken
  // get the ASCII change, taken bytes after an 82 the full-width one. (The
  // all-ones masks only keep GCC 12's header from warning of an undefined
  // source.)
  LMX_AVX512 __m512i block(__m512i v, __m512i before) {
    const std::uint64_t taken =
        taken_by_lead(_cvtmask64_u64(_mm512_cmpeq_epi8_mask(_mm512_maskz_permutexvar_epi8(~0ULL, v, lead), v)), carry);
    const __m512i in40 = clamp_to(kWindow40, v);
    if (!FullWidth)
      return _mm512_mask_add_epi8(v, _cvtu64_mask64(~taken), v, _mm512_maskz_permutexvar_epi8(~0ULL, in40, ascii));
    const __mmask64 after_x82 = _mm512_cmpeq_epi8_mask(before, _mm512_set1_epi8(static_cast<char>(0x82)));
    const __m512i index = full_width_window(R) == kWindow40 ? in40 : clamp_to(kWindow80, v);
    const __m512i full_width_change = _mm512_maskz_permutexvar_epi8(after_x82, index, full_width);
    // Taken bytes get the full-width change in place of the ASCII one.
    const __m512i folded = Ascii ? _mm512_add_epi8(v, _mm512_maskz_permutexvar_epi8(~0ULL, in40, ascii)) : v;
    return _mm512_mask_add_epi8(folded, _cvtu64_mask64(taken), v, full_width_change);
  }
};

// A text of 64 bytes or more. Each block needs the bytes one place before
// it, and reads them before the block before it is written: in place, the
// read would otherwise wait on that write. (The byte before a taken byte is a
// lead byte, which no fold changes, so in place and apart agree.) The last
// reads and the last block are masked, so nothing outside the text is touched.
template <bool Ascii, bool FullWidth, const FoldRanges& R>
LMX_AVX512 void fold_avx512(unsigned char* to, const unsigned char* from, std::size_t length) {
  Fold512<Ascii, FullWidth, R> fold;
  __m512i before = _mm512_maskz_loadu_epi8(~1ULL, from - 1);  // the first byte has none
  std::size_t i = 0;
  for (; i + 128 <= length; i += 64) {
    const __m512i v = _mm512_loadu_si512(from + i), next = _mm512_loadu_si512(from + i + 63);
    _mm512_storeu_si512(to + i, fold.block(v, before));
    before = next;
  }
  const __m512i v = _mm512_loadu_si512(from + i);
  const __m512i next = _mm512_maskz_loadu_epi8(_bzhi_u64(~0ULL, static_cast<unsigned>(length - i - 63)), from + i + 63);
  _mm512_storeu_si512(to + i, fold.block(v, before));
  i += 64;
  if (i < length) {
    const __mmask64 live = _bzhi_u64(~0ULL, static_cast<unsigned>(length - i));
    _mm512_mask_storeu_epi8(to + i, live, fold.block(_mm512_maskz_loadu_epi8(live, from + i), next));
  }
}

template <const FoldRanges& R>
LMX_AVX512 void fold_avx512(unsigned char* to, const unsigned char* from, std::size_t length, bool ascii,
                            bool full_width) {
  if (ascii && full_width) return fold_avx512<true, true, R>(to, from, length);
  if (ascii) return fold_avx512<true, false, R>(to, from, length);
  return fold_avx512<false, true, R>(to, from, length);
}

LMX_AVX512 void fold_avx512(unsigned char* to, const unsigned char* from, std::size_t length, bool ascii,
                            bool full_width, const FoldRanges& r) {
  if (&r == &kLower) return fold_avx512<kLower>(to, from, length, ascii, full_width);
  return fold_avx512<kUpper>(to, from, length, ascii, full_width);
}

bool g_baseline_only = false;
bool has_avx512() {
  static const bool yes = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512f") &&
                          __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("bmi") &&
                          __builtin_cpu_supports("bmi2");
  return yes && !g_baseline_only;
}
#else
bool g_baseline_only = false;
bool has_avx512() { return false; }
void fold_avx512(unsigned char*, const unsigned char*, std::size_t, bool, bool, const FoldRanges&) {}
#endif

// One bit a byte of 64: the bytes of a class at p, found sixteen at a time.
template <class Test>
std::uint64_t mask64(const unsigned char* p, Test test) {
  std::uint64_t m = 0;
  for (int k = 0; k < 4; ++k)
    m |= std::uint64_t{test(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k)))} << (16 * k);
  return m;
}

// The sixteen bytes whose bits are set in `bits`, as a mask of 0xFF bytes.
__m128i bytes_of_bits(unsigned bits) {
  const __m128i select = _mm_set_epi8(-128, 64, 32, 16, 8, 4, 2, 1, -128, 64, 32, 16, 8, 4, 2, 1);
  __m128i v = _mm_cvtsi32_si128(static_cast<int>(bits));
  v = _mm_unpacklo_epi8(v, v);
  v = _mm_unpacklo_epi16(v, v);
  v = _mm_unpacklo_epi32(v, v);  // bytes 0-7: the low byte of bits; 8-15: the high one
  v = _mm_unpacklo_epi64(v, _mm_unpackhi_epi64(v, v));
  return _mm_cmpeq_epi8(_mm_and_si128(v, select), select);
}

// Without AVX-512: the same masks sixteen bytes at a time, the changes added
// through byte masks made from them. Whole blocks of 64 only; the caller
// walks the rest.
std::size_t fold_sse2(unsigned char* to, const unsigned char* from, std::size_t length, bool ascii, bool full_width,
                      const FoldRanges& r, std::uint64_t& carry) {
  const __m128i ascii_delta = _mm_set1_epi8(static_cast<char>(r.ascii_delta));
  const __m128i full_width_delta = _mm_set1_epi8(static_cast<char>(r.full_width_delta));
  std::uint64_t prev_x82 = 0;
  std::size_t i = 0;
  for (; i + 64 <= length; i += 64) {
    const unsigned char* block = from + i;
    const std::uint64_t lead = mask64(block, [](__m128i v) {
      return (in_range16(v, 0x81, 0x9F) & ~in_range16(v, 0x85, 0x86)) | in_range16(v, 0xE0, 0xFC);
    });
    const std::uint64_t taken = taken_by_lead(lead, carry);
    std::uint64_t ascii_bits = 0, full_width_bits = 0;
    if (ascii)
      ascii_bits = mask64(block, [&r](__m128i v) { return in_range16(v, r.ascii_lo, r.ascii_lo + kAsciiSpan); }) & ~taken;
    if (full_width) {
      const std::uint64_t x82 = mask64(block, [](__m128i v) { return in_range16(v, 0x82, 0x82); });
      const std::uint64_t after_x82 = x82 << 1 | prev_x82;
      prev_x82 = x82 >> 63;
      full_width_bits = mask64(block, [&r](__m128i v) {
                          return in_range16(v, r.full_width_lo, r.full_width_lo + kFullWidthSpan);
                        }) & taken & after_x82;
    }
    for (int k = 0; k < 4; ++k) {
      __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * k));
      const unsigned a = static_cast<unsigned>(ascii_bits >> (16 * k)) & 0xFFFF;
      const unsigned f = static_cast<unsigned>(full_width_bits >> (16 * k)) & 0xFFFF;
      if (a) v = _mm_add_epi8(v, _mm_and_si128(bytes_of_bits(a), ascii_delta));
      if (f) v = _mm_add_epi8(v, _mm_and_si128(bytes_of_bits(f), full_width_delta));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i + 16 * k), v);
    }
  }
  return i;
}

// The plain character walk, for what the blocks leave.
void fold_walk(unsigned char* to, const unsigned char* from, std::size_t begin, std::size_t length, bool ascii,
               bool full_width, const FoldRanges& r) {
  const std::string_view text(reinterpret_cast<const char*>(from), length);
  for (std::size_t i = begin; i < length;) {
    if (is_double_byte(text, i)) {
      const unsigned char trail = from[i + 1];
      const bool letter = full_width && from[i] == 0x82 && trail >= r.full_width_lo && trail <= r.full_width_lo + kFullWidthSpan;
      to[i] = from[i];
      to[i + 1] = static_cast<unsigned char>(letter ? trail + r.full_width_delta : trail);
      i += 2;
      continue;
    }
    const unsigned char b = from[i];
    const bool letter = ascii && b >= r.ascii_lo && b <= r.ascii_lo + kAsciiSpan;
    to[i] = static_cast<unsigned char>(letter ? b + r.ascii_delta : b);
    ++i;
  }
}

}  // namespace

void use_vectors(Vectors v) { g_baseline_only = v == Vectors::baseline; }

void fold_copy(char* to, const char* from, std::size_t length, unsigned mode, Case c) {
  const FoldRanges& r = c == Case::lower ? kLower : kUpper;
  auto* out = reinterpret_cast<unsigned char*>(to);
  const auto* in = reinterpret_cast<const unsigned char*>(from);
  // Below one block, the plain walk costs less than setting up the vectors.
  if (length >= 64 && has_avx512()) return fold_avx512(out, in, length, folds_ascii(mode), folds_full_width(mode), r);
  std::uint64_t carry = 0;
  const std::size_t i = fold_sse2(out, in, length, folds_ascii(mode), folds_full_width(mode), r, carry);
  if (i == length) return;
  // The rest walks from a boundary: the lead byte before i when it takes i.
  std::size_t begin = i;
  if (carry && is_trail(in[i])) {
    begin = i - 1;
    out[begin] = in[begin];  // a lead byte: never changed, only copied again
  }
  fold_walk(out, in, begin, length, folds_ascii(mode), folds_full_width(mode), r);
}

}  // namespace lmx::cp932
