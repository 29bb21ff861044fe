#include <cstring>

#include "frame/cp932.h"
#include "strings/strings.h"

namespace lmx::strings {
namespace {

const char* copy_result(NarrowResult& out, Text kept) {
  std::memmove(out.data(), kept.data(), kept.size());
  out.data()[kept.size()] = 0;
  return out.data();
}

}  // namespace

const char* trim(NarrowResult& out, Text text, TrimSide side) {
  if (text.empty()) return kEmptyResult;
  out.clear();
  if (!out.ensure(text.size() + 1, text.size() + kSlack)) return kEmptyResult;
  const Text kept = side == TrimSide::left ? cp932::trim_left(text)
                    : side == TrimSide::right ? cp932::trim_right(text)
                                              : cp932::trim(text);
  return copy_result(out, kept);
}

const char* trim_set(NarrowResult& out, Text text, Text set) {
  if (text.empty() || set.empty()) return kEmptyResult;
  out.clear();
  if (!out.ensure(text.size() + 1, text.size() + kSlack)) return kEmptyResult;
  return copy_result(out, cp932::trim_set(text, set));
}

// The width is capped at 1024 and a negative one pads nothing. A text longer
// than the width comes back whole, the buffer grown for it by the same rule;
// Centor with a width below the text's length gives the text unpadded.
const char* justify(NarrowResult& out, Text text, intptr_t width, Justify how) {
  if (text.empty()) return kEmptyResult;
  out.clear();
  const std::size_t w = width < 0 ? 0 : width > 1024 ? 1024 : static_cast<std::size_t>(width);
  const std::size_t length = text.size() > w ? text.size() : w;
  if (!out.ensure(length + 1, length + kSmallSlack)) return kEmptyResult;
  const std::size_t pad = length - text.size();
  const std::size_t left = how == Justify::left ? 0 : how == Justify::right ? pad : pad / 2 + pad % 2;
  char* o = out.data();
  std::memset(o, ' ', left);
  std::memcpy(o + left, text.data(), text.size());
  std::memset(o + left + text.size(), ' ', pad - left);
  o[length] = 0;
  return o;
}

}  // namespace lmx::strings
