// Fuzz target of the portable core: every text function on arbitrary bytes,
// under ASan and UBSan, with the searches and folds checked against character
// walks built on the byte classes of Python's cp932 codec (cp932_model.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cp932_model.h"
#include "format/kanji.h"
#include "format/time_format.h"
#include "format/url.h"
#include "frame/cp932.h"
#include "frame/result_buffer.h"
#include "strings/strings.h"
#include "windows/window_search.h"

namespace {

namespace cp = lmx::cp932;
namespace model = cp932_model;
namespace s = lmx::strings;

lmx::NarrowResult& out() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultInitial);
  return b;
}

void check(bool ok) {
  if (!ok) std::abort();
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
    check(s::in_str(static_cast<intptr_t>(start), text, needle) == model::first(start, text, needle));
  }
  if (!text.empty() && !needle.empty()) check(s::in_str_rev(text, needle) == model::last(text, needle));
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

  // The trims keep what a walk from the start keeps.
  {
    const auto [left, right] = model::kept(text, model::width, model::is_white_space);
    check(cp::trim_left(text) == std::string_view(text).substr(left));
    check(cp::trim_right(text) == std::string_view(text).substr(0, left == text.size() ? 0 : right));
    const auto [begin, end] = model::kept(text, model::cp_width, [&needle](std::string_view c) { return model::in_set(needle, c); });
    check(cp::trim_set(text, needle) == std::string_view(text).substr(begin, end - begin));
  }

  // The block-wise folds (on both vector paths) and the folded searches
  // agree with the character walk and with plain searches in folded copies.
  cp::use_vectors(data[1] & 0x40 ? cp::Vectors::baseline : cp::Vectors::best);
  const unsigned fold = static_cast<unsigned>(number & 3);  // 3 folds both, as 0 does
  for (bool upper : {false, true}) {
    std::string folded(text.size(), '\0');
    cp::fold_copy(folded.data(), text.data(), text.size(), fold, upper ? cp::Case::upper : cp::Case::lower);
    check(folded == model::fold(text, fold, upper));
  }
  cp::use_vectors(cp::Vectors::best);
  const intptr_t search_mode = 1 + (number & 3);  // 4: exact
  const unsigned search_fold = search_mode == 1 ? 0 : search_mode == 2 ? 1 : 2;
  const std::string folded_text = search_mode < 4 ? model::fold(text, search_fold, false) : text;
  const std::string folded_needle = search_mode < 4 ? model::fold(needle, search_fold, false) : needle;
  if (!text.empty() && !needle.empty() && text.size() >= needle.size()) {
    const std::size_t start = static_cast<std::size_t>(data[1]) % (text.size() + 1);
    check(s::in_str_ex(static_cast<intptr_t>(start), text, needle, search_mode) ==
          model::first(start, folded_text, folded_needle));
  }
  if (!text.empty() && !needle.empty())
    check(s::in_str_rev_ex(text, needle, search_mode) == model::last(folded_text, folded_needle));

  // SearchWindow's "contains" accepts a caption only where the filter begins a
  // character; filters of any length are cut without overrun.
  {
    static lmx::windows::WindowSearch search;
    constexpr lmx::windows::TextTests unused{[](const char*, const char*) { return false; },
                                             [](const char*, const char*) { return false; },
                                             [](const char*, const char*) { return false; }};
    const std::string caption = text.substr(0, text.find('\0')), filter = needle.substr(0, needle.find('\0'));
    search.begin(text, needle, 3);
    if (!filter.empty() && filter.size() < 1024) {
      search.begin("*", filter, 3);
      const lmx::windows::Candidate window{1, true, false, caption.c_str(), ""};
      check(search.wants(window, unused) == (!caption.empty() && model::first(0, caption, filter) >= 0));
    }
  }

  lmx::kanji::digits_to_kanji(b, text, number & 1);
  lmx::time_format::rewrite(text, {2026, 12, 7, 15, 4, 5, 1});
  lmx::url::encode_narrow(b, text, number);
  lmx::url::decode(b, text);
  lmx::url::encode_utf8(b, text, number & 1);
  return 0;
}
