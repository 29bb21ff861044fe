// What the bridges keep from the engines a user brings, in one place: an
// unmended build of the engine ends the process, overruns its memory or
// commits gigabytes on it. The checks of mecab_options.cpp, spell_counts.cpp
// and bridge_text.cpp read these lists; a bridge refuses before the engine
// sees the input.
#ifndef LORIMAX_BRIDGES_ENGINE_REFUSALS_H
#define LORIMAX_BRIDGES_ENGINE_REFUSALS_H

#include <cstddef>
#include <string_view>

namespace lmx::bridges {

// MeCab's switches that are refused when turned on, by their long names,
// wherever they are set: by their option (the long name or the letter, with
// or without a value) or as a key of the mecabrc or the dictionary's dicrc.
// Partial mode: on a text of its shape MeCab fails an internal check, which
// calls exit().
inline constexpr std::string_view kMeCabRefusedSwitches[] = {"partial"};

// mecab_new2 splits its options into an array of 64 words, its own name
// first; a 64th word of the caller's was written past it.
inline constexpr std::size_t kMeCabMostWords = 63;

// Hunspell's counted tables: the count on a table's first line says how many
// lines follow, and Hunspell sizes memory by it before it reads them, so
// "REP 2000000000" in a small file asked for gigabytes. A count that no file
// of its size can hold is refused, whatever the table. A line opens a table
// when it begins with the keyword (Hunspell compares no more), and the count
// is its piece number `count_piece` (pieces are split at spaces and tabs).
struct CountedTable {
  std::string_view keyword;
  std::size_t count_piece;
};
inline constexpr CountedTable kHunspellCountedTables[] = {
    {"REP", 1},   {"MAP", 1}, {"PHONE", 1}, {"BREAK", 1}, {"ICONV", 1}, {"OCONV", 1},
    {"CHECKCOMPOUNDPATTERN", 1}, {"COMPOUNDRULE", 1}, {"AF", 1}, {"AM", 1}, {"PFX", 3}, {"SFX", 3},
};

// nkf's options that print and end the process (exit()): its long options by
// name, and its one-letter options, which may come in a group of letters.
inline constexpr std::string_view kNkfEndingLongOptions[] = {"help", "version"};
inline constexpr std::string_view kNkfEndingLetters = "vV";

}  // namespace lmx::bridges

#endif
