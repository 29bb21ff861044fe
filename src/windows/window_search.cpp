#include "windows/window_search.h"

#include <cstring>

#include "frame/cp932.h"

namespace lmx::windows {
namespace {

// Copies at most kFilterBytes - 1 bytes of whole characters, as the system
// cuts a caption it reads into a buffer of that size.
void copy_filter(char (&filter)[WindowSearch::kFilterBytes], std::string_view text) {
  constexpr std::size_t room = WindowSearch::kFilterBytes - 1;
  std::size_t length = text.size();
  if (length > room) length = cp932::is_boundary(text, room) ? room : room - 1;
  std::memcpy(filter, text.data(), length);
  filter[length] = 0;
}

}  // namespace

void WindowSearch::begin(std::string_view class_name, std::string_view caption, std::uint64_t mode) {
  cursor_ = -1;
  found_ = false;
  mode_ = 0;
  any_class_ = class_name.empty() || class_name == "*";
  if (!any_class_) copy_filter(class_filter_, class_name);
  if (!caption.empty()) {
    mode_ = mode;
    copy_filter(caption_filter_, caption);
  } else {
    caption_filter_[0] = 0;
    mode_ = mode & 0xFFF0;  // no caption test; invisible windows as asked
  }
}

bool WindowSearch::wants(const Candidate& window, const TextTests& tests) const {
  if (!(mode_ & invisible_too) && !window.visible) return false;
  if (window.owned || !*window.caption) return false;
  if (!any_class_ && !tests.equal(window.class_name, class_filter_)) return false;
  if (!(mode_ & test_caption)) return true;
  switch (mode_ & (test_caption | caption_contains | ignoring_case)) {
    case test_caption:
      return tests.equal(window.caption, caption_filter_);
    case test_caption | caption_contains:
      // Only where a character begins: "\" is no part of 表 (95 5C).
      return cp932::find(window.caption, caption_filter_, 0, cp932::Walk::double_byte_test) != cp932::npos;
    case test_caption | ignoring_case:
      return tests.equal_ignoring_case(window.caption, caption_filter_);
    default:
      return tests.contains_ignoring_case(window.caption, caption_filter_);
  }
}

bool WindowSearch::store(std::uintptr_t handle) {
  if (cursor_ + 1 >= static_cast<std::int64_t>(kSlots)) return false;
  slots_[++cursor_] = handle;
  found_ = true;
  return true;
}

std::uintptr_t WindowSearch::finish() {
  count_ = static_cast<std::int32_t>(cursor_ + 1);
  return found_ ? slots_[cursor_] : 0;
}

std::uintptr_t WindowSearch::next() {
  --cursor_;
  return cursor_ >= 0 ? slots_[cursor_] : 0;
}

}  // namespace lmx::windows
