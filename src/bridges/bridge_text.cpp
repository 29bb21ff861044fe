#include "bridges/bridge_text.h"

#include <string>

#include "bridges/engine_refusals.h"
#include "frame/cp932.h"

namespace lmx::bridges {
namespace {

bool leading_part_of(std::string_view selector, std::string_view keyword) {
  if (selector.empty() || selector.size() > keyword.size()) return false;
  for (std::size_t i = 0; i < selector.size(); ++i) {
    char c = selector[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != keyword[i]) return false;
  }
  return true;
}

// One space-separated word of the options, as nkf's option parser walks it.
bool word_ends_process(std::string_view word) {
  const std::size_t dash = word.find('-');
  if (dash == std::string_view::npos) return false;
  std::string_view group = word.substr(dash + 1);
  if (!group.empty() && group.front() == '-') {
    // A long option: nkf takes the name in full, and the rest of the word with it.
    group.remove_prefix(1);
    for (std::string_view name : kNkfEndingLongOptions)
      if (group == name) return true;
    return false;
  }
  // Short options, one letter each; the arguments some of them take never
  // contain these letters, so any of them in the group is that option.
  return group.find_first_of(kNkfEndingLetters) != std::string_view::npos;
}

}  // namespace

MatchField match_field(std::string_view selector) {
  if (leading_part_of(selector, "length")) return MatchField::length;
  if (leading_part_of(selector, "position")) return MatchField::position;
  return MatchField::none;
}

bool nkf_options_end_process(std::string_view options) {
  std::string with_dash;
  if (options.empty() || options.front() != '-') {
    with_dash = "-";
    with_dash += options;
    options = with_dash;
  }
  while (!options.empty()) {
    const std::size_t space = options.find(' ');
    if (word_ends_process(options.substr(0, space))) return true;
    options = space == std::string_view::npos ? std::string_view() : options.substr(space + 1);
  }
  return false;
}

void fold_pattern_lower(char* pattern, std::size_t length) {
  const std::string_view text(pattern, length);
  std::size_t unfolded = 0;  // the part from here on is still to fold
  for (std::size_t pos = 0; pos < length;) {
    if (pattern[pos] != '\\' || pos + 1 == length) {
      pos += cp932::cp_char_width(text, pos);
      continue;
    }
    cp932::fold_lower(pattern + unfolded, pos - unfolded, cp932::fold_all);
    const char letter = pattern[pos + 1];
    pos += 1 + cp932::cp_char_width(text, pos + 1);
    if ((letter == 'p' || letter == 'P') && pos < length && pattern[pos] == '{') {
      const std::size_t close = text.find('}', pos);
      pos = close == std::string_view::npos ? length : close + 1;
    }
    unfolded = pos;
  }
  cp932::fold_lower(pattern + unfolded, length - unfolded, cp932::fold_all);
}

}  // namespace lmx::bridges
