#include <cstring>
#include <vector>

#include "frame/byte_search.h"
#include "frame/cp932.h"
#include "frame/guarded.h"
#include "strings/strings.h"

namespace lmx::strings {
namespace {

const char* empty() { return kEmptyResult; }

// Where Replace found its hits: the first ones in place, so that a text
// with few of them costs no allocation; the rest on the heap.
class Hits {
 public:
  void push_back(std::size_t hit) {
    if (size_ < kInPlace)
      first_[size_] = hit;
    else
      more_.push_back(hit);
    ++size_;
  }
  std::size_t size() const { return size_; }
  std::size_t operator[](std::size_t i) const { return i < kInPlace ? first_[i] : more_[i - kInPlace]; }

 private:
  static constexpr std::size_t kInPlace = 128;
  std::size_t first_[kInPlace];
  std::vector<std::size_t> more_;
  std::size_t size_ = 0;
};

// A position inside a double-byte character moves to the byte after it.
std::size_t character_position(Text text, intptr_t position) {
  return cp932::boundary_at_or_after(text, static_cast<std::size_t>(position));
}

}  // namespace

// Prepares room for five times the text as the rule says, and more, by the
// same rule, when the replacements make the result longer still; a result
// beyond the 1,000,000-byte cap is refused, never cut.
const char* replace(NarrowResult& out, Text text, Text search, Text replacement, intptr_t count) {
  if (text.empty() || search.empty() || count < -1) return empty();
  out.clear();
  Hits hits;
  const bool found = guarded(false, [&] {
    ByteSearch finder(text, search);
    cp932::Boundaries boundaries(text, cp932::Walk::code_page);
    for (std::size_t from = 0; count == -1 || hits.size() < static_cast<std::size_t>(count);) {
      const std::size_t hit = finder.next(from);
      if (hit == ByteSearch::npos) break;
      from = boundaries.at_or_after(hit);
      if (from != hit) continue;  // began inside a character
      hits.push_back(hit);
      from = hit + search.size();
    }
    return true;
  });
  if (!found) return empty();
  const std::size_t needed = text.size() - hits.size() * search.size() + hits.size() * replacement.size() + 1;
  const std::size_t prepared = 5 * text.size() < kResultCap ? 5 * text.size() : kResultCap;
  if (!out.ensure_doubled(needed > prepared ? needed : prepared)) return empty();
  char* w = out.data();
  std::size_t from = 0;
  for (std::size_t i = 0; i < hits.size(); ++i) {
    const std::size_t hit = hits[i];
    std::memcpy(w, text.data() + from, hit - from);
    w += hit - from;
    std::memcpy(w, replacement.data(), replacement.size());
    w += replacement.size();
    from = hit + search.size();
  }
  std::memcpy(w, text.data() + from, text.size() - from);
  w[text.size() - from] = 0;
  return out.data();
}

const char* delete_str(NarrowResult& out, Text text, intptr_t position, intptr_t count) {
  if (text.empty() || position < 0 || static_cast<std::size_t>(position) > text.size() || count < 1) return empty();
  out.clear();
  if (!out.ensure(text.size() + 1, text.size() + kSmallSlack)) return empty();
  const std::size_t p = character_position(text, position);
  const std::size_t n = static_cast<std::size_t>(count);
  const Text rest = text.substr(n >= text.size() - p ? text.size() : p + n);
  std::memcpy(out.data(), text.data(), p);
  std::memcpy(out.data() + p, rest.data(), rest.size());
  out.data()[p + rest.size()] = 0;
  return out.data();
}

const char* insert_str(NarrowResult& out, Text text, intptr_t position, Text insertion) {
  if (text.empty() || position < 0 || static_cast<std::size_t>(position) > text.size()) return empty();
  out.clear();
  const std::size_t total = text.size() + insertion.size();
  if (!out.ensure(total + 1, total + kSmallSlack)) return empty();
  const std::size_t p = character_position(text, position);
  char* w = out.data();
  std::memcpy(w, text.data(), p);
  std::memcpy(w + p, insertion.data(), insertion.size());
  std::memcpy(w + p + insertion.size(), text.data() + p, text.size() - p);
  w[total] = 0;
  return w;
}

namespace {

// `count` copies of `unit`; refused (not cut) beyond the cap.
const char* repeat(NarrowResult& out, intptr_t count, Text unit) {
  out.clear();
  if (static_cast<std::size_t>(count) > kResultCap / unit.size()) return empty();
  const std::size_t n = static_cast<std::size_t>(count) * unit.size();
  if (!out.ensure(n + 1, n + 1 + kSlack)) return empty();
  char* w = out.data();
  if (unit.size() == 1) {
    std::memset(w, unit[0], n);
  } else {
    for (std::size_t i = 0; i < n; i += unit.size()) std::memcpy(w + i, unit.data(), unit.size());
  }
  w[n] = 0;
  return w;
}

// Folds straight from the text into the result buffer.
const char* fold_copy(NarrowResult& out, Text text, intptr_t fold_mode, cp932::Case c) {
  if (text.empty()) return empty();
  out.clear();
  if (!out.ensure(text.size() + 1, text.size() + kSlack)) return empty();
  char* w = out.data();
  w[text.size()] = 0;
  // The unchanged copy stays in the buffer when the mode is refused.
  if (static_cast<std::uintptr_t>(fold_mode) > 2) {
    std::memcpy(w, text.data(), text.size());
    return empty();
  }
  cp932::fold_copy(w, text.data(), text.size(), static_cast<unsigned>(fold_mode), c);
  return w;
}

}  // namespace

const char* repeat_char(NarrowResult& out, intptr_t count, Text text) {
  if (text.empty() || count < 1) return empty();
  return repeat(out, count, text.substr(0, cp932::char_width(text, 0)));
}

const char* repeat_text(NarrowResult& out, intptr_t count, Text text) {
  if (text.empty() || count < 1) return empty();
  return repeat(out, count, text);
}

const char* upper(NarrowResult& out, Text text, intptr_t fold_mode) {
  return fold_copy(out, text, fold_mode, cp932::Case::upper);
}

const char* lower(NarrowResult& out, Text text, intptr_t fold_mode) {
  return fold_copy(out, text, fold_mode, cp932::Case::lower);
}

}  // namespace lmx::strings
