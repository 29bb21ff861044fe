// Fuzz target of the portable core: every text function on arbitrary bytes,
// under ASan and UBSan, with the searches and folds checked against a plain
// character walk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "format/kanji.h"
#include "format/time_format.h"
#include "format/url.h"
#include "frame/cp932.h"
#include "frame/result_buffer.h"
#include "strings/strings.h"

namespace {

namespace cp = lmx::cp932;
namespace s = lmx::strings;

lmx::NarrowResult& out() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultInitial);
  return b;
}

void check(bool ok) {
  if (!ok) std::abort();
}

// The last occurrence that starts on a character of the code page's walk.
intptr_t model_last(const std::string& text, const std::string& needle) {
  intptr_t last = -1;
  for (std::size_t p = 0; p + needle.size() <= text.size(); p += cp::cp_char_width(text, p))
    if (text.compare(p, needle.size(), needle) == 0) last = static_cast<intptr_t>(p);
  return last;
}

intptr_t model_first(std::size_t start, const std::string& text, const std::string& needle) {
  std::size_t p = 0;
  while (p < start) p += cp::char_width(text, p);
  for (; p + needle.size() <= text.size(); p += cp::char_width(text, p))
    if (text.compare(p, needle.size(), needle) == 0) return static_cast<intptr_t>(p);
  return -1;
}

// The case folds by their definition, a character at a time.
std::string model_fold(const std::string& text, unsigned mode, bool upper) {
  std::string out = text;
  for (std::size_t p = 0; p < text.size();) {
    auto& b = reinterpret_cast<unsigned char&>(out[p]);
    if (cp::is_double_byte(text, p)) {
      auto& trail = reinterpret_cast<unsigned char&>(out[p + 1]);
      if (mode != 1 && b == 0x82 && !upper && trail >= 0x60 && trail <= 0x79) trail += 0x21;
      if (mode != 1 && b == 0x82 && upper && trail >= 0x81 && trail <= 0x9A) trail -= 0x21;
      p += 2;
      continue;
    }
    if (mode != 2 && !upper && b >= 'A' && b <= 'Z') b += 0x20;
    if (mode != 2 && upper && b >= 'a' && b <= 'z') b -= 0x20;
    ++p;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const unsigned split = data[0] % (size - 2) + 1;
  const intptr_t number = static_cast<int8_t>(data[1]);
  const std::string all(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::string text = all.substr(split), needle = all.substr(0, split);
  auto& b = out();

  if (!text.empty() && !needle.empty() && text.size() >= needle.size()) {
    const std::size_t start = static_cast<std::size_t>(data[1]) % (text.size() + 1);
    check(s::in_str(static_cast<intptr_t>(start), text, needle) == model_first(start, text, needle));
  }
  if (!text.empty() && !needle.empty()) check(s::in_str_rev(text, needle) == model_last(text, needle));
  s::in_str_ex(0, text, needle, number & 3);
  s::in_str_rev_ex(text, needle, number & 3);
  s::str_spn(text, needle);
  s::str_cspn(text, needle);

  s::replace(b, text, needle, "<>", number);
  s::delete_str(b, text, number, 3);
  s::insert_str(b, text, number, needle);
  s::repeat_char(b, number, text);
  s::repeat_text(b, number, needle);
  s::upper(b, text, number & 3);
  s::lower(b, text, number & 3);
  s::trim(b, text, s::TrimSide::both);
  s::trim_set(b, text, needle);
  s::justify(b, text, number * 9, s::Justify::centre);

  // The block-wise folds (on both vector paths) and the folded searches
  // agree with the character walk and with plain searches in folded copies.
  cp::use_vectors(data[1] & 0x40 ? cp::Vectors::baseline : cp::Vectors::best);
  const unsigned fold = static_cast<unsigned>(number & 3);  // 3 folds both, as 0 does
  for (bool upper : {false, true}) {
    std::string folded(text.size(), '\0');
    cp::fold_copy(folded.data(), text.data(), text.size(), fold, upper ? cp::Case::upper : cp::Case::lower);
    check(folded == model_fold(text, fold, upper));
  }
  cp::use_vectors(cp::Vectors::best);
  const intptr_t search_mode = 1 + (number & 3);  // 4: exact
  const unsigned search_fold = search_mode == 1 ? 0 : search_mode == 2 ? 1 : 2;
  const std::string folded_text = search_mode < 4 ? model_fold(text, search_fold, false) : text;
  const std::string folded_needle = search_mode < 4 ? model_fold(needle, search_fold, false) : needle;
  if (!text.empty() && !needle.empty() && text.size() >= needle.size()) {
    const std::size_t start = static_cast<std::size_t>(data[1]) % (text.size() + 1);
    check(s::in_str_ex(static_cast<intptr_t>(start), text, needle, search_mode) ==
          model_first(start, folded_text, folded_needle));
  }
  if (!text.empty() && !needle.empty())
    check(s::in_str_rev_ex(text, needle, search_mode) == model_last(folded_text, folded_needle));

  lmx::kanji::digits_to_kanji(b, text, number & 1);
  lmx::time_format::rewrite(text, {2026, 12, 7, 15, 4, 5, 1});
  lmx::url::encode_narrow(b, text, number);
  lmx::url::decode(b, text);
  lmx::url::encode_utf8(b, text, number & 1);
  return 0;
}
