// Substring search over bytes in time linear in the text. The usual path is
// memchr on the first byte and a compare; when that does more than a few times
// the text's length in work (a periodic needle in a periodic text), the
// search goes on as a streaming Knuth-Morris-Pratt automaton, which also finds
// overlapping occurrences without rescanning.
#ifndef LORIMAX_FRAME_BYTE_SEARCH_H
#define LORIMAX_FRAME_BYTE_SEARCH_H

#include <cstddef>
#include <string_view>
#include <memory>

namespace lmx {

// The work a search may do before it falls back to the automaton: a few
// times the text's and the needle's length, and a little for short ones.
inline long long search_budget(std::size_t text_length, std::size_t needle_length) {
  return 4 * static_cast<long long>(text_length + needle_length) + 1024;
}

class ByteSearch {
 public:
  static constexpr std::size_t npos = std::string_view::npos;

  // `needle` must not be empty. Both views must outlive the search.
  ByteSearch(std::string_view text, std::string_view needle);

  // The first occurrence that starts at or after `from`, or npos. Any order of
  // calls is correct; calls whose `from` only grows take linear time in all.
  std::size_t next(std::size_t from);
  // The last occurrence that starts at or before `at`, or npos. Gives up
  // (sets exhausted()) when its work budget is spent.
  std::size_t previous(std::size_t at);
  bool exhausted() const { return budget_ < 0; }
  // Lets callers charge their own per-candidate work to the same budget.
  void charge(std::size_t work) { budget_ -= static_cast<long long>(work); }

 private:
  std::size_t next_streaming(std::size_t from);
  std::size_t next_plain(std::size_t from) const;

  std::string_view text_, needle_;
  long long budget_;
  std::unique_ptr<std::size_t[]> border_;  // border_[k]: longest proper border of needle[0, k)
  std::size_t pos_ = 0, state_ = 0;  // text[pos_ - state_, pos_) == needle[0, state_)
  std::size_t valid_from_ = npos;     // occurrences before pos_ - state_ but at or after this were reported
};

}  // namespace lmx

#endif
