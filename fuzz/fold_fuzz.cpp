// Folds and trims are idempotent: the same fold (or trim) applied to its own
// result changes nothing; a fold keeps the length in bytes and every
// character boundary.
#include <cstdint>
#include <string>

#include "frame/cp932.h"
#include "frame/result_buffer.h"
#include "fuzz_tokens.h"
#include "strings/strings.h"

namespace s = lmx::strings;

namespace {

lmx::NarrowResult& buffer() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultInitial);
  return b;
}

template <class Step>
void idempotent(const std::string& text, Step step) {
  const std::string once = step(text);
  fuzz::check(step(once) == once);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string glyphs = fuzz::twins(data + 1, size - 1).narrow;
  for (const std::string& text : {raw, glyphs}) {
    if (text.find('\0') != std::string::npos) continue;
    for (intptr_t mode : {0, 1, 2}) {
      idempotent(text, [&](const std::string& t) { return std::string(s::upper(buffer(), t, mode)); });
      idempotent(text, [&](const std::string& t) { return std::string(s::lower(buffer(), t, mode)); });
      const std::string up = s::upper(buffer(), text, mode);
      if (!text.empty()) fuzz::check(up.size() == text.size());
      // The fold changes letters into letters: every character of the fold's
      // own walk (the double-byte test) keeps its width.
      std::string folded = text;
      lmx::cp932::fold_upper(folded.data(), folded.size(), static_cast<unsigned>(mode));
      for (std::size_t p = 0; p < text.size(); p += lmx::cp932::char_width(text, p))
        fuzz::check(lmx::cp932::char_width(folded, p) == lmx::cp932::char_width(text, p));
    }
    for (auto side : {s::TrimSide::left, s::TrimSide::right, s::TrimSide::both})
      idempotent(text, [&](const std::string& t) { return std::string(s::trim(buffer(), t, side)); });
    const std::string set = text.substr(0, data[0] % 4);
    idempotent(text, [&](const std::string& t) { return std::string(s::trim_set(buffer(), t, set)); });
  }
  return 0;
}
