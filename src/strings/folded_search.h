// Searches under a lower-case fold without folding the text: the needle is
// folded once, and each candidate found in the text is compared under the
// fold, character by character from a boundary. The answers are those of a
// plain search in a folded copy of the text (folding keeps every byte in
// place, so offsets carry over).
#ifndef LORIMAX_STRINGS_FOLDED_SEARCH_H
#define LORIMAX_STRINGS_FOLDED_SEARCH_H

#include <cstddef>
#include <string_view>

namespace lmx::strings {

inline constexpr std::size_t kNotFound = std::string_view::npos;

// The first occurrence of `folded_needle` (already folded, not empty) at or
// after boundary `from` that begins on a boundary of the double-byte test.
// Folding moves no boundary of that walk, so they are the text's own.
std::size_t find_folded(std::string_view text, std::string_view folded_needle, std::size_t from, unsigned mode);

// The last occurrence that begins on a character of the code page's walk over
// the folded text (a folded full-width letter's trail byte may become a lead
// byte of that walk).
std::size_t find_last_folded(std::string_view text, std::string_view folded_needle, unsigned mode);

}  // namespace lmx::strings

#endif
