#include "frame/cp932.h"

#include "frame/byte_search.h"

#include <bitset>
#include <cstring>
#include <memory>

namespace lmx::cp932 {
namespace {

inline unsigned char byte_at(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool is_ascii_space(unsigned char b) { return b == 0x20 || (b >= 0x09 && b <= 0x0D); }

// Membership of whole characters (by the code-page walk) in a set, in time
// independent of the set's length.
class CharSet {
 public:
  explicit CharSet(std::string_view set) {
    for (std::size_t i = 0; i < set.size();) {
      const std::size_t w = cp_char_width(set, i);
      if (w == 2)
        pairs_.set(byte_at(set, i) << 8 | byte_at(set, i + 1));
      else
        singles_.set(byte_at(set, i));
      i += w;
    }
  }
  bool contains(std::string_view text, std::size_t pos, std::size_t width) const {
    return width == 2 ? pairs_.test(byte_at(text, pos) << 8 | byte_at(text, pos + 1)) : singles_.test(byte_at(text, pos));
  }

 private:
  std::bitset<256> singles_;
  std::bitset<65536> pairs_;
};

std::size_t span_of(std::string_view text, const CharSet& members) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t w = cp_char_width(text, i);
    if (!members.contains(text, i, w)) break;
    i += w;
  }
  return i;
}

}  // namespace

std::size_t Boundaries::cp_width(std::size_t pos) const { return cp_char_width(text_, pos); }

std::size_t Boundaries::at_or_after(std::size_t pos) {
  if (pos >= text_.size()) return pos;
  const std::size_t from = pos >= known_ ? known_ : 0;
  std::size_t q = pos;
  if (walk_ == Walk::double_byte_test) {
    // A byte that cannot be a trail byte starts a character.
    while (q > from && is_trail(byte_at(text_, q))) --q;
    work_ += pos - q;
    while (q < pos) q += char_width(text_, q);
  } else {
    // The byte after one that is no lead byte starts a character, and the run
    // of lead bytes before `pos` pairs up from its start.
    while (q > from && is_cp_lead(byte_at(text_, q - 1))) --q;
    work_ += pos - q;
    q = ((pos - q) % 2 == 0) ? pos : pos + 1;
  }
  known_ = q;
  return q;
}

std::size_t white_space_width(std::string_view text, std::size_t pos, Direction dir) {
  const unsigned char b = byte_at(text, pos);
  if (dir == Direction::forward) {
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
      return (b == 0x81 && pos + 1 < text.size() && byte_at(text, pos + 1) == 0x40) ? 2 : 0;
  } else if (b == 0x40) {
    return (pos > 0 && byte_at(text, pos - 1) == 0x81) ? 2 : 0;
  }
  return is_ascii_space(b) ? 1 : 0;
}

std::string_view trim_left(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t w = white_space_width(text, i, Direction::forward);
    if (w == 0) break;
    i += w;
  }
  return text.substr(i);
}

// A trailing 81 40 is white space only when it is a whole character (after メ,
// 83 81 40 ends in the letter @). ASCII white space lies below the trail-byte
// range, so it is always a whole character and goes byte by byte; for the rest
// the characters are walked from the nearest byte that cannot be a trail byte,
// which is a character boundary, so the walk never starts from the text's
// beginning unless it has to.
std::string_view trim_right(std::string_view text) {
  std::size_t end = text.size();
  for (;;) {
    while (end > 0 && is_ascii_space(byte_at(text, end - 1))) --end;
    if (end < 2 || byte_at(text, end - 1) != 0x40 || byte_at(text, end - 2) != 0x81) break;
    std::size_t start = end - 1;
    while (start > 0 && is_trail(byte_at(text, start))) --start;
    std::size_t keep = start;
    for (std::size_t i = start; i < end;) {
      const std::size_t w = char_width(text.substr(0, end), i);
      const bool space = w == 2 ? (byte_at(text, i) == 0x81 && byte_at(text, i + 1) == 0x40) : is_ascii_space(byte_at(text, i));
      i += w;
      if (!space) keep = i;
    }
    if (keep > start || start == 0) {
      end = keep;
      break;
    }
    end = start;  // all white space from a boundary on: trim what lies before it too
  }
  return text.substr(0, end);
}

char* trim_left_in_place(char* s) {
  const std::string_view text(s);
  const std::string_view kept = trim_left(text);
  std::memmove(s, kept.data(), kept.size() + 1);
  return s;
}

char* trim_right_in_place(char* s) {
  s[trim_right(s).size()] = 0;
  return s;
}

char* trim_in_place(char* s) { return trim_right_in_place(trim_left_in_place(s)); }

bool is_wide_space(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
         c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::u16string_view trim_right_wide(std::u16string_view text) {
  while (!text.empty() && is_wide_space(text.back())) text.remove_suffix(1);
  return text;
}

char16_t* trim_right_wide_in_place(char16_t* s) {
  s[trim_right_wide(s).size()] = 0;
  return s;
}

namespace {

template <bool Upper>
void fold(char* s, std::size_t length, unsigned mode) {
  const bool ascii = mode != fold_full_width;
  const bool full_width = mode != fold_ascii;
  const std::string_view text(s, length);
  for (std::size_t i = 0; i < length;) {
    auto* p = reinterpret_cast<unsigned char*>(s + i);
    if (is_double_byte(text, i)) {
      if (full_width && p[0] == 0x82) {
        if (!Upper && p[1] >= 0x60 && p[1] <= 0x79) p[1] += 0x21;
        if (Upper && p[1] >= 0x81 && p[1] <= 0x9A) p[1] -= 0x21;
      }
      i += 2;
      continue;
    }
    if (ascii) {
      if (!Upper && p[0] >= 'A' && p[0] <= 'Z') p[0] += 0x20;
      if (Upper && p[0] >= 'a' && p[0] <= 'z') p[0] -= 0x20;
    }
    ++i;
  }
}

}  // namespace

void fold_lower(char* s, std::size_t length, unsigned mode) { fold<false>(s, length, mode); }
void fold_upper(char* s, std::size_t length, unsigned mode) { fold<true>(s, length, mode); }

std::size_t find(std::string_view text, std::string_view needle, std::size_t from, Walk walk) {
  if (needle.empty()) return npos;
  ByteSearch search(text, needle);
  Boundaries boundaries(text, walk);
  for (;;) {
    const std::size_t hit = search.next(from);
    if (hit == npos) return npos;
    from = boundaries.at_or_after(hit);
    if (from == hit) return hit;
    // The occurrence began inside the character that ends at `from`.
  }
}

std::size_t span(std::string_view text, std::string_view set) { return span_of(text, *std::make_unique<CharSet>(set)); }

std::size_t find_first_of(std::string_view text, std::string_view set) {
  const auto members = std::make_unique<CharSet>(set);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t w = cp_char_width(text, i);
    if (members->contains(text, i, w)) return i;
    i += w;
  }
  return npos;
}

std::string_view trim_set(std::string_view text, std::string_view set) {
  const auto members = std::make_unique<CharSet>(set);
  const std::size_t start = span_of(text, *members);
  std::size_t i = start;
  std::size_t end = start;
  while (i < text.size()) {
    const std::size_t w = cp_char_width(text, i);
    const bool member = members->contains(text, i, w);
    i += w;
    if (!member) end = i;
  }
  return text.substr(start, end - start);
}

}  // namespace lmx::cp932
