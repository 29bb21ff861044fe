#include "frame/cp932.h"

#include "frame/byte_search.h"
#include "frame/cp932_sse2.h"

#include <bitset>
#include <cstdint>
#include <cstring>

namespace lmx::cp932 {
namespace {

inline unsigned char byte_at(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

bool is_ascii_space(unsigned char b) { return b == 0x20 || (b >= 0x09 && b <= 0x0D); }

// Membership of whole characters (by the code-page walk) in a set, in time
// independent of the set's length. A pair's trail bytes are kept per lead
// byte, in a slot taken when the lead byte first occurs, so that building
// the set clears a few hundred bytes, not a table of every pair.
class CharSet {
 public:
  explicit CharSet(std::string_view set) {
    for (std::size_t i = 0; i < set.size();) {
      const std::size_t w = cp_char_width(set, i);
      if (w == 2)
        add_pair(byte_at(set, i), byte_at(set, i + 1));
      else
        singles_.set(byte_at(set, i));
      i += w;
    }
  }
  bool contains(std::string_view text, std::size_t pos, std::size_t width) const {
    if (width == 1) return singles_.test(byte_at(text, pos));
    const unsigned slot = slot_of_lead_[byte_at(text, pos)];
    const unsigned char trail = byte_at(text, pos + 1);
    return slot != 0 && (trails_[slot - 1][trail / 64] >> (trail % 64) & 1);
  }

 private:
  static constexpr int kLeadBytes = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);  // the walk's lead bytes
  void add_pair(unsigned char lead, unsigned char trail) {
    unsigned char& slot = slot_of_lead_[lead];
    if (slot == 0) {
      std::memset(trails_[used_], 0, sizeof trails_[used_]);
      slot = static_cast<unsigned char>(++used_);
    }
    trails_[slot - 1][trail / 64] |= std::uint64_t{1} << (trail % 64);
  }
  std::bitset<256> singles_;
  unsigned char slot_of_lead_[256] = {};
  std::uint64_t trails_[kLeadBytes][4];  // cleared as each slot is taken
  int used_ = 0;
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
    // A byte that is no lead byte ends a character, so the byte after it
    // starts one; the run of lead bytes from there pairs up from its start
    // (a lead byte is also a trail byte), and its last lead byte, when the
    // run is odd, takes the byte after the run if that is a trail byte.
    while (q > from && is_lead(byte_at(text_, q - 1))) --q;
    work_ += pos - q;
    q = ((pos - q) % 2 == 1 && is_trail(byte_at(text_, pos))) ? pos + 1 : pos;
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

namespace {

// Bit k set: byte k of the 16 is ASCII white space (09-0D or 20).
unsigned ascii_spaces16(__m128i v) { return in_range16(v, 0x09, 0x0D) | in_range16(v, ' ', ' '); }

// Long runs of ASCII white space, sixteen bytes at a time: the first byte at
// or after `i` that is none, or a point within 16 bytes of the end.
std::size_t skip_ascii_spaces(std::string_view text, std::size_t i) {
  for (; i + 16 <= text.size(); i += 16) {
    const unsigned spaces = ascii_spaces16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i)));
    if (spaces != 0xFFFF) return i + static_cast<std::size_t>(__builtin_ctz(~spaces));
  }
  return i;
}
// The same backwards: the end of the text less its trailing ASCII white
// space, found sixteen bytes at a time, then byte by byte.
std::size_t end_before_ascii_spaces(std::string_view text, std::size_t end) {
  for (; end >= 16; end -= 16) {
    const unsigned spaces = ascii_spaces16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + end - 16)));
    if (spaces != 0xFFFF) return end - static_cast<std::size_t>(__builtin_clz(~spaces << 16));
  }
  while (end > 0 && is_ascii_space(byte_at(text, end - 1))) --end;
  return end;
}

}  // namespace

std::string_view trim_left(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    i = skip_ascii_spaces(text, i);
    if (i == text.size()) break;
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
    end = end_before_ascii_spaces(text, end);
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
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
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

std::size_t span(std::string_view text, std::string_view set) { return span_of(text, CharSet(set)); }

std::size_t find_first_of(std::string_view text, std::string_view set) {
  const CharSet members(set);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t w = cp_char_width(text, i);
    if (members.contains(text, i, w)) return i;
    i += w;
  }
  return npos;
}

// The right end is found from the back: the byte after one that is no lead
// byte of the code page's walk starts a character, so the characters are
// walked from the nearest such point, and from further back only when all of
// them are trimmed. The cost follows what is trimmed, not the text's length.
std::string_view trim_set(std::string_view text, std::string_view set) {
  const CharSet members(set);
  const std::size_t start = span_of(text, members);
  std::size_t upto = text.size();  // a character boundary; all from here on is trimmed
  while (upto > start) {
    std::size_t from = upto - 1;
    while (from > start && is_cp_lead(byte_at(text, from - 1))) --from;
    std::size_t end = from;
    for (std::size_t i = from; i < upto;) {
      const std::size_t w = cp_char_width(text, i);
      const bool member = members.contains(text, i, w);
      i += w;
      if (!member) end = i;
    }
    if (end > from) return text.substr(start, end - start);
    upto = from;
  }
  return text.substr(start, 0);
}

}  // namespace lmx::cp932
