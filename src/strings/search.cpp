#include "frame/byte_search.h"
#include "frame/cp932.h"
#include "frame/heap.h"
#include "strings/folded_search.h"
#include "strings/strings.h"


namespace lmx::strings {
namespace {

constexpr intptr_t kNone = -1;
using cp932::Walk;

intptr_t offset_or_none(std::size_t pos) { return pos == cp932::npos ? kNone : static_cast<intptr_t>(pos); }

// InStr after its argument checks: the first occurrence at or after `start`
// that begins on a character boundary.
intptr_t find_forward(Text text, Text search, std::size_t start) {
  start = cp932::boundary_at_or_after(text, start);
  return offset_or_none(cp932::find(text, search, start, Walk::double_byte_test));
}

// The last occurrence that begins on a boundary of the code page's walk: what
// searching again and again from the next character after each occurrence
// finds. Backwards first; when that spends its budget (periodic texts), one
// forward pass that never rescans.
intptr_t find_last(Text text, Text search) {
  if (text.size() < search.size()) return kNone;
  ByteSearch backward(text, search);
  for (std::size_t at = text.size() - search.size();;) {
    const std::size_t hit = backward.previous(at);
    if (backward.exhausted()) break;
    if (hit == cp932::npos) return kNone;
    cp932::Boundaries check(text, Walk::code_page);
    const bool on_boundary = check.at_or_after(hit) == hit;
    backward.charge(check.work());
    if (on_boundary) return static_cast<intptr_t>(hit);
    at = hit - 1;  // hit > 0: offset 0 is always a boundary
  }

  cp932::Boundaries boundaries(text, Walk::code_page);
  ByteSearch forward(text, search);
  std::size_t last = cp932::npos;
  for (std::size_t from = 0;;) {
    const std::size_t hit = forward.next(from);
    if (hit == cp932::npos) break;
    from = boundaries.at_or_after(hit);
    if (from == hit) {
      last = hit;
      from = hit + boundaries.width_at(hit);
    }
  }
  return offset_or_none(last);
}

// The fold mode that a search mode selects, or -1 for an exact comparison.
int fold_of_search_mode(intptr_t mode) {
  switch (mode) {
    case 1: return cp932::fold_all;
    case 2: return cp932::fold_ascii;
    case 3: return cp932::fold_full_width;
    default: return -1;
  }
}

// The needle folded as the search mode says: in place for the usual short
// needle, on the heap for a long one; empty when that allocation fails.
class FoldedNeedle {
 public:
  FoldedNeedle(Text search, int fold) {
    char* to = local_;
    if (search.size() > sizeof local_) {
      heap_ = heap_array<char>(search.size());
      if (!heap_) return;
      to = heap_.get();
    }
    cp932::fold_copy(to, search.data(), search.size(), static_cast<unsigned>(fold), cp932::Case::lower);
    text_ = Text(to, search.size());
  }
  bool ok() const { return !text_.empty(); }
  Text text() const { return text_; }

 private:
  char local_[64];
  HeapBlock<char> heap_;
  Text text_;
};

bool forward_arguments_ok(intptr_t start, Text text, Text search) {
  return !text.empty() && !search.empty() && start >= 0 && static_cast<std::size_t>(start) <= text.size() &&
         text.size() >= search.size();
}

}  // namespace

intptr_t in_str(intptr_t start, Text text, Text search) {
  if (!forward_arguments_ok(start, text, search)) return kNone;
  return find_forward(text, search, static_cast<std::size_t>(start));
}

intptr_t in_str_ex(intptr_t start, Text text, Text search, intptr_t mode) {
  if (!forward_arguments_ok(start, text, search)) return kNone;
  const int fold = fold_of_search_mode(mode);
  if (fold < 0) return find_forward(text, search, static_cast<std::size_t>(start));
  const FoldedNeedle needle(search, fold);
  if (!needle.ok()) return kNone;
  // Folding moves no boundary of the double-byte test: the start shifts as in the text.
  const std::size_t from = cp932::boundary_at_or_after(text, static_cast<std::size_t>(start));
  return offset_or_none(find_folded(text, needle.text(), from, static_cast<unsigned>(fold)));
}

intptr_t in_str_rev(Text text, Text search) {
  if (text.empty() || search.empty()) return kNone;
  return find_last(text, search);
}

intptr_t in_str_rev_ex(Text text, Text search, intptr_t mode) {
  if (text.empty() || search.empty()) return kNone;
  const int fold = fold_of_search_mode(mode);
  if (fold < 0) return find_last(text, search);
  const FoldedNeedle needle(search, fold);
  if (!needle.ok()) return kNone;
  return offset_or_none(find_last_folded(text, needle.text(), static_cast<unsigned>(fold)));
}

intptr_t str_spn(Text text, Text set) {
  if (text.empty() || set.empty()) return kNone;
  const std::size_t n = cp932::span(text, set);
  return n == text.size() ? kNone : static_cast<intptr_t>(n);
}

intptr_t str_cspn(Text text, Text set) {
  if (text.empty() || set.empty()) return kNone;
  return offset_or_none(cp932::find_first_of(text, set));
}

}  // namespace lmx::strings
