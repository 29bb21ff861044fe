// Shared by the differential fuzz targets: the input read as a sequence of
// characters from a small alphabet that code page 932 and UTF-16 both hold,
// so that a narrow text and its wide twin can be built side by side, and a
// check that stops the run at the first disagreement.
#ifndef LORIMAX_FUZZ_TOKENS_H
#define LORIMAX_FUZZ_TOKENS_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz {

inline void check(bool ok) {
  if (!ok) std::abort();
}

struct Glyph {
  const char* sjis;
  char16_t utf16;
};

// Full-width space, katakana whose trail bytes are lead bytes or 0x5C, and the
// full-width letters that the folds change.
inline constexpr Glyph kGlyphs[] = {
    {"\x81\x40", 0x3000}, {"\x83\x81", 0x30E1}, {"\x83\x80", 0x30E0}, {"\x95\x5C", 0x8868}, {"\x83\x5C", 0x30BD},
    {"\x82\x60", 0xFF21}, {"\x82\x81", 0xFF41}, {"\x82\x79", 0xFF3A}, {"\x82\x9A", 0xFF5A}, {"\x81\x81", 0xFF1D},
};
inline constexpr std::size_t kGlyphCount = sizeof kGlyphs / sizeof kGlyphs[0];

// One character per input byte: below 0xC0 an ASCII character (printable, TAB
// or LF), above it one of the glyphs.
struct Twins {
  std::string narrow;
  std::u16string wide;
  std::size_t characters = 0;
};

inline void append(Twins& t, std::uint8_t b) {
  if (b < 0xC0) {
    const char c = b % 0x61 == 0x5F ? '\t' : b % 0x61 == 0x60 ? '\n' : static_cast<char>(0x20 + b % 0x61);
    t.narrow += c;
    t.wide += static_cast<char16_t>(static_cast<unsigned char>(c));
  } else {
    const Glyph& g = kGlyphs[(b - 0xC0) % kGlyphCount];
    t.narrow += g.sjis;
    t.wide += g.utf16;
  }
  ++t.characters;
}

inline Twins twins(const std::uint8_t* data, std::size_t size) {
  Twins t;
  for (std::size_t i = 0; i < size; ++i) append(t, data[i]);
  return t;
}

}  // namespace fuzz

#endif
