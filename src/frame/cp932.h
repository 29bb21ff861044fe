// The character rules of code page 932 (Shift_JIS) that the narrow exports
// share, and the library's own code-page-932 forms of the shell's StrStrA,
// StrSpnA, StrPBrkA and StrTrimA, so that no result depends on the ANSI code
// page of the machine. Everything works on bytes; positions are byte offsets.
#ifndef LORIMAX_FRAME_CP932_H
#define LORIMAX_FRAME_CP932_H

#include <cstddef>
#include <string_view>

namespace lmx::cp932 {

inline constexpr std::size_t npos = std::string_view::npos;

constexpr bool is_lead(unsigned char b) { return (b >= 0x81 && b <= 0x84) || (b >= 0x87 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool is_trail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The double-byte test: the byte at `pos` and the next one form one character.
// It looks at those two bytes only; whether `pos` is a character boundary at
// all is what boundary() answers.
inline bool is_double_byte(std::string_view text, std::size_t pos) {
  return pos + 1 < text.size() && is_lead(static_cast<unsigned char>(text[pos])) &&
         is_trail(static_cast<unsigned char>(text[pos + 1]));
}
// The same on a zero-terminated string.
inline bool is_double_byte(const char* p) {
  return is_lead(static_cast<unsigned char>(p[0])) && is_trail(static_cast<unsigned char>(p[1]));
}

// Width of the character that starts at boundary `pos`: 2 or 1.
inline std::size_t char_width(std::string_view text, std::size_t pos) { return is_double_byte(text, pos) ? 2 : 1; }

// The shell's code-page walk: a lead byte (81-9F, E0-FC) takes the next byte
// with it unless that is the end of the text.
inline bool is_cp_lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline std::size_t cp_char_width(std::string_view text, std::size_t pos) {
  return (is_cp_lead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

// The two ways of walking a text's characters. The double-byte test is the
// library's own rule (a lead byte with a valid trail byte); the code page's
// walk is the shell's (a lead byte 81-9F or E0-FC takes any next byte).
enum class Walk { double_byte_test, code_page };

// Finds character boundaries by walking from the start of the text, never by
// looking at the byte before a position alone: many trail bytes (メ is 83 81)
// are also lead bytes. It remembers the last boundary it found, so questions
// with growing positions walk the text once; a byte that cannot be inside a
// character lets a walk start late.
class Boundaries {
 public:
  Boundaries(std::string_view text, Walk walk) : text_(text), walk_(walk) {}
  // The first boundary at or after `pos` (a position inside a character moves
  // to the byte after it). Positions at or past the end are their own answer.
  std::size_t at_or_after(std::size_t pos);
  std::size_t width_at(std::size_t boundary) const {
    return walk_ == Walk::code_page ? cp_width(boundary) : char_width(text_, boundary);
  }
  // Bytes examined so far, for callers that budget their work.
  std::size_t work() const { return work_; }

 private:
  std::size_t cp_width(std::size_t pos) const;
  std::string_view text_;
  Walk walk_;
  std::size_t known_ = 0;  // a boundary
  std::size_t work_ = 0;
};

inline std::size_t boundary_at_or_after(std::string_view text, std::size_t pos) {
  return Boundaries(text, Walk::double_byte_test).at_or_after(pos);
}
// Whether `pos` is a character boundary of `text` under the double-byte test.
inline bool is_boundary(std::string_view text, std::size_t pos) { return boundary_at_or_after(text, pos) == pos; }

// The first occurrence of `needle` at or after boundary `from` that begins on a
// character boundary of `walk`; npos when none or when the needle is empty.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from, Walk walk);

enum class Direction { forward, backward };
// Width of the white space found at `pos`: 0, 1 or 2 (the full-width space 81 40).
std::size_t white_space_width(std::string_view text, std::size_t pos, Direction dir);

// The trims return the part of `text` that remains, as a view into it: the
// left trim's starts further on, the right trim's where `text` starts.
// Nothing is moved; callers copy the result where they need it.
std::string_view trim_left(std::string_view text);
std::string_view trim_right(std::string_view text);
inline std::string_view trim(std::string_view text) { return trim_right(trim_left(text)); }
// In-place forms on a zero-terminated string in a caller's buffer: what
// remains is moved to the buffer's start, which each returns.
char* trim_left_in_place(char* s);
char* trim_right_in_place(char* s);
char* trim_in_place(char* s);

// Trailing UTF-16 white space (U+0009-000D, U+0020, U+3000 and the other
// Unicode spaces the C runtime classifies so).
bool is_wide_space(char16_t c);
std::u16string_view trim_right_wide(std::u16string_view text);
char16_t* trim_right_wide_in_place(char16_t* s);

// Case folds. Mode 1: ASCII letters only; 2: full-width Latin letters only;
// anything else: both.
enum FoldMode : unsigned { fold_all = 0, fold_ascii = 1, fold_full_width = 2 };
enum class Case { lower, upper };
// Writes the folded form of the `length` bytes at `from` to `to` (which may
// be `from` itself).
void fold_copy(char* to, const char* from, std::size_t length, unsigned mode, Case c);
inline void fold_lower(char* s, std::size_t length, unsigned mode) { fold_copy(s, s, length, mode, Case::lower); }
inline void fold_upper(char* s, std::size_t length, unsigned mode) { fold_copy(s, s, length, mode, Case::upper); }

// Which vector instructions the folds use: the best the processor has, or
// the baseline SSE2 only (so that tests can hold each path to the same model).
enum class Vectors { best, baseline };
void use_vectors(Vectors v);

// The lower-case fold of one character's bytes: `b` alone (a character of one
// byte), or `b` as the trail byte of a pair whose lead byte is `lead`.
inline bool folds_ascii(unsigned mode) { return mode != fold_full_width; }
inline bool folds_full_width(unsigned mode) { return mode != fold_ascii; }
inline unsigned char lower_single(unsigned char b, unsigned mode) {
  return folds_ascii(mode) && b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + 0x20) : b;
}
inline unsigned char lower_trail(unsigned char lead, unsigned char b, unsigned mode) {
  return folds_full_width(mode) && lead == 0x82 && b >= 0x60 && b <= 0x79 ? static_cast<unsigned char>(b + 0x21) : b;
}

// StrStrA: the first occurrence at or after boundary `from` that starts on a
// character boundary of the code page's walk.
inline std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0) {
  return find(text, needle, from, Walk::code_page);
}
// StrSpnA: bytes in the longest prefix made of whole characters of `set`.
std::size_t span(std::string_view text, std::string_view set);
// StrPBrkA: offset of the first character that occurs in `set`, or npos.
std::size_t find_first_of(std::string_view text, std::string_view set);
// StrTrimA: the part of `text` left when every leading and trailing character
// that occurs in `set` is removed.
std::string_view trim_set(std::string_view text, std::string_view set);

}  // namespace lmx::cp932

#endif
