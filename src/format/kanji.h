// Numbers in kanji: the digit form (2026 as 二〇二六) and the numeral form
// (二千二十六, with group names up to 無量大数 every four digits).
#ifndef LORIMAX_FORMAT_KANJI_H
#define LORIMAX_FORMAT_KANJI_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frame/result_buffer.h"

namespace lmx::kanji {

enum class Form { digits, numeral };

// The numeral form covers this many digits (18 groups of four).
inline constexpr std::size_t kMaxNumeralDigits = 72;

// Writes the kanji form of a string of decimal digits into out (capacity bytes,
// zero-terminated) and returns its length. Refuses (writes only a terminator,
// returns npos) an empty string, a non-digit, a numeral of more than 72 digits,
// or a result that would not fit.
std::size_t convert(std::string_view digits, char* out, std::size_t capacity, Form form);
// The same for a non-negative number, in decimal without leading zeros.
std::size_t convert_number(std::uint64_t number, char* out, std::size_t capacity, Form form);

inline constexpr std::size_t npos = static_cast<std::size_t>(-1);

// The exports: mode 1 selects the numeral form, every other mode the digit form.
const char* number_to_kanji(NarrowResult& out, intptr_t number, intptr_t mode);
const char* digits_to_kanji(NarrowResult& out, std::string_view digits, intptr_t mode);

}  // namespace lmx::kanji

#endif
