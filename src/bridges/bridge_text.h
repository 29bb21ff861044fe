// The text rules of the engine bridges that need no engine: the selector of
// the last match's numbers and the nkf options the library keeps from NKF32.DLL.
#ifndef LORIMAX_BRIDGES_BRIDGE_TEXT_H
#define LORIMAX_BRIDGES_BRIDGE_TEXT_H

#include <cstddef>
#include <string_view>

namespace lmx::bridges {

enum class MatchField { none, length, position };
// Any leading part of "length" or "position", without regard to ASCII case;
// "length" is tried first, so "l" is the length.
MatchField match_field(std::string_view selector);

// Whether nkf, given these options, would print something and end the
// process (-v, -V, --version, --help): they are never passed on. Read as nkf
// reads them: a '-' is put in front when the text lacks one, words are
// separated by spaces, and in each word what comes before its first '-' is
// ignored.
bool nkf_options_end_process(std::string_view options);

// Lowercases a code page 932 pattern for a case-folded match, except what a
// backslash gives its meaning: the character after it (\W is not \w) and
// the name of a property (\P{Lu}).
void fold_pattern_lower(char* pattern, std::size_t length);

// The largest output nkf can make of `input_length` bytes, for the older
// functions that write without a capacity: sixteen bytes a byte covers the
// widest of its forms (a half-width kana alone between ASCII, as ISO-2022-JP
// with both escapes and CR LF line ends, MIME-encoded with its line headers),
// plus room for the headers and the terminator.
inline constexpr std::size_t kNkfOutputPerByte = 16;
inline constexpr std::size_t kNkfOutputSlack = 256;
inline std::size_t nkf_worst_output(std::size_t input_length) {
  return kNkfOutputPerByte * input_length + kNkfOutputSlack;
}

}  // namespace lmx::bridges

#endif
