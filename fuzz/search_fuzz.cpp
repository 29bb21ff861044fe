// InStr and InStrRev on texts that hold their search text exactly once (on a
// character of the walk): both find it at the same offset. A needle made of
// the texts' own characters is cut from random places of arbitrary
// Shift_JIS-like bytes.
#include <cstdint>
#include <string>

#include "frame/cp932.h"
#include "fuzz_tokens.h"
#include "strings/strings.h"

namespace s = lmx::strings;
namespace cp = lmx::cp932;

namespace {

// Offsets of every occurrence that starts on a character boundary.
std::size_t occurrences(const std::string& text, const std::string& needle, std::size_t& first) {
  std::size_t n = 0;
  for (std::size_t p = 0; p + needle.size() <= text.size(); p += cp::cp_char_width(text, p))
    if (text.compare(p, needle.size(), needle) == 0 && n++ == 0) first = p;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::size_t split = data[0] % (size - 1) + 1;
  const std::string needle = fuzz::twins(data + 1, split).narrow;
  // The text in two halves of whole characters, so the needle can go between them.
  const std::size_t rest = size - 1 - split;
  const std::string head = fuzz::twins(data + 1 + split, rest / 2).narrow;
  const std::string tail = fuzz::twins(data + 1 + split + rest / 2, rest - rest / 2).narrow;
  const std::string text = head + tail;
  for (const std::string& t : {text, text + needle, needle + text, head + needle + tail}) {
    std::size_t at = 0;
    if (needle.empty() || occurrences(t, needle, at) != 1) continue;
    const auto expected = static_cast<intptr_t>(at);
    fuzz::check(s::in_str(0, t, needle) == expected);
    fuzz::check(s::in_str_rev(t, needle) == expected);
    // The folds of mode 2 (ASCII) and 3 (full-width) leave a text of digits
    // and signs as it is, so the modes must agree with the plain search there.
    fuzz::check(s::in_str_ex(0, t, needle, 0) == expected);
    fuzz::check(s::in_str_rev_ex(t, needle, 0) == expected);
  }
  return 0;
}
