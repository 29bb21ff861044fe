// The result buffers: the module-wide blocks into which text exports write the
// text they return. A returned pointer stays valid until the next call that
// writes the same buffer; growth may move the block.
#ifndef LORIMAX_FRAME_RESULT_BUFFER_H
#define LORIMAX_FRAME_RESULT_BUFFER_H

#include <cstddef>
#include <string_view>

#include "frame/contract.h"

namespace lmx {

inline constexpr std::size_t kResultInitial = 4096;

// What a writer adds to the size it needs when it grows a buffer, each
// export by its own rule: most by kSlack, the plain copies (justified texts,
// edits, the engines' texts, file lines) by kSmallSlack, the clipboard's text
// by kClipboardSlack. The doubling rule adds kDoubledSlack to twice the need.
inline constexpr std::size_t kSlack = 100;
inline constexpr std::size_t kSmallSlack = 10;
inline constexpr std::size_t kClipboardSlack = 1024;
inline constexpr std::size_t kDoubledSlack = 4;
inline constexpr std::size_t doubled(std::size_t needed) { return 2 * needed + kDoubledSlack; }

template <class Char>
class ResultBuffer {
 public:
  ResultBuffer() = default;
  ResultBuffer(const ResultBuffer&) = delete;
  ResultBuffer& operator=(const ResultBuffer&) = delete;
  ~ResultBuffer() { release(); }

  // Allocates the initial block. On failure the buffer stays empty with
  // capacity 0; every later ensure() tries again, so writers fail cleanly.
  bool allocate(std::size_t capacity);
  void release();

  // The growth rule. Ready when the buffer already holds `needed` characters;
  // otherwise reallocated to `new_capacity` (capped) and zero-filled. False when
  // even the capped capacity is too small or the reallocation failed; the old
  // block and its capacity are then kept as they were.
  bool ensure(std::size_t needed, std::size_t new_capacity);
  // Growth "with no slack": twice the needed size plus kDoubledSlack.
  bool ensure_doubled(std::size_t needed) { return ensure(needed, doubled(needed)); }
  // The same rule for a writer that appends to what the buffer holds: the old
  // contents survive and only the added room is zero-filled.
  bool ensure_keeping(std::size_t needed, std::size_t new_capacity);
  bool ensure_keeping_doubled(std::size_t needed) { return ensure_keeping(needed, doubled(needed)); }

  Char* data() { return data_; }
  const Char* c_str() const;
  std::size_t capacity() const { return capacity_; }
  // Makes the buffer hold the empty string (when it has a block at all).
  void clear() {
    if (data_) data_[0] = 0;
  }
  // Copies `text` in, growing to `new_capacity` when it does not fit.
  bool assign(std::basic_string_view<Char> text, std::size_t new_capacity);
  bool assign_doubled(std::basic_string_view<Char> text) { return assign(text, doubled(text.size())); }

 private:
  // Reallocates for `needed`, zero-filling everything from `keep` on.
  bool grow(std::size_t needed, std::size_t new_capacity, std::size_t keep);
  Char* data_ = nullptr;
  std::size_t capacity_ = 0;
};

extern template class ResultBuffer<char>;
extern template class ResultBuffer<char16_t>;

using NarrowResult = ResultBuffer<char>;
using WideResult = ResultBuffer<char16_t>;

// The constant empty results that failing text exports return; never written.
inline constexpr char kEmptyResult[1] = {0};
inline constexpr char16_t kEmptyWideResult[1] = {0};

// The module-wide buffers of the loaded library.
NarrowResult& result();
WideResult& wide_result();

}  // namespace lmx

#endif
