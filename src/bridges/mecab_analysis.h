// What the four MeCab analysis exports differ in (option prefix, longest
// option string, first sizing of the result buffer), their error codes and
// messages, and when an output that MeCab reports as written is really whole.
#ifndef LORIMAX_BRIDGES_MECAB_ANALYSIS_H
#define LORIMAX_BRIDGES_MECAB_ANALYSIS_H

#include <cstddef>
#include <string_view>

#include "frame/messages.h"
#include "frame/result_buffer.h"

namespace lmx::mecab {

enum class Analysis { plain, yomi, wakati, nbest };

// The codes (exports/messages.txt); version_mismatch is kept for the
// table's numbering and never set.
enum Code : int { LMX_MESSAGES_mecab_bridge(LMX_MESSAGE_CODE) };

// The fixed message of a code (code page 932); null for codes outside the
// table. Code 7's message is followed by MeCab's own text when it gives one.
const char* code_message(int code);

// The option buffer that MeCab's tagger is made from.
inline constexpr std::size_t kOptionBuffer = 2048;

// Writes the export's prefix and the caller's options into `out`. False when
// together they are longer than the export allows.
bool build_options(Analysis analysis, std::string_view options, char (&out)[kOptionBuffer]);

// The result buffer's first sizing for a text of `length` bytes: it grows
// when `threshold` exceeds its capacity, to `grown` (capped by the buffer).
struct Sizing {
  std::size_t threshold, grown;
};
Sizing first_sizing(Analysis analysis, std::size_t length);

// MeCab 0.996 drops a piece of its output that does not fit and goes on with
// the next pieces that do, then reports success: an output cut in the middle
// can end anywhere up to one piece short of the capacity. So an output that
// ends farther from the capacity than the longest piece, with MeCab's two
// bytes of end room, lost nothing. A piece is a surface (a part of the text,
// and at most 65,535 bytes: MeCab's node length is 16 bits), a dictionary
// line (read through 8,192 bytes), or, in a format of the caller's or the
// dictionary's, the whole text (%S). MeCab's wakati writer writes surfaces
// and separators only.
inline constexpr std::size_t kLongestSurface = 65535;
inline constexpr std::size_t kLongestLine = 8192;
inline std::size_t room_beyond_output(std::size_t text_length, bool surfaces_only) {
  if (surfaces_only) return (text_length < kLongestSurface ? text_length : kLongestSurface) + 2;
  return (text_length > kLongestLine ? text_length : kLongestLine) + 2;
}
inline bool output_is_whole(std::size_t output_length, std::size_t room, std::size_t capacity) {
  return output_length + room < capacity;
}
// The capacity to try next after an output that did not fit (a cut output of
// `output_length` bytes, or MeCab's overflow failure with 0).
inline std::size_t next_capacity(std::size_t output_length, std::size_t room, std::size_t capacity) {
  const std::size_t wanted = output_length + room + 1;
  return doubled(wanted > capacity ? wanted : capacity);
}

// Whether MeCab will write this analysis with its wakati writer: the wakati
// export, and no output type among the caller's options (a later -O wins).
bool wakati_writer(Analysis analysis, std::string_view options);

}  // namespace lmx::mecab

#endif
