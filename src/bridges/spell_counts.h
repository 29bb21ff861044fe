// The counts in Hunspell's files that size its memory before the lines they
// count are read (engine_refusals.h): the word count on a dictionary's first
// line and the count of each table of an affix file. The bridge reads the
// files first and refuses one whose count no file of its size can hold.
#ifndef LORIMAX_BRIDGES_SPELL_COUNTS_H
#define LORIMAX_BRIDGES_SPELL_COUNTS_H

#include <cstdint>
#include <string_view>

#include "bridges/engine_refusals.h"

namespace lmx::spell {

// Whether `count` lines can be in a file of `file_size` bytes: each takes at
// least a character and its line end. A count below 1 Hunspell refuses itself.
bool count_fits(std::int64_t count, std::uint64_t file_size);

// A count as Hunspell reads it (atoi): blanks, a sign, the digits up to the
// first other character; far beyond int it stays far beyond.
std::int64_t count_value(std::string_view text);

// Whether the word count on a dictionary's first line (as the C runtime's
// text-mode read gives it, a UTF-8 byte-order mark and all) fits the file.
bool word_count_fits(std::string_view first_line, std::uint64_t file_size);

// The table whose count on this line of an affix file does not fit the file,
// or null. Every line is taken as a table's first line, as one of Hunspell's
// two readers of the file may take it.
const bridges::CountedTable* overcounted_table(std::string_view line, bool first_line, std::uint64_t file_size);

}  // namespace lmx::spell

#endif
