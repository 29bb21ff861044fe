// The SSE2 range test that the trims' white-space scan and the folds share.
#ifndef LORIMAX_FRAME_CP932_SSE2_H
#define LORIMAX_FRAME_CP932_SSE2_H

#include <immintrin.h>

namespace lmx::cp932 {

// Bit k set: byte k of the 16 lies in [lo, hi].
inline unsigned in_range16(__m128i v, unsigned char lo, unsigned char hi) {
  const __m128i t = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(lo)));
  const __m128i span = _mm_set1_epi8(static_cast<char>(hi - lo));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(t, span), t)));
}

}  // namespace lmx::cp932

#endif
