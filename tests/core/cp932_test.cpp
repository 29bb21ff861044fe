// The code page 932 character rules, natively.
#include "frame/cp932.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "../support/text.h"
#include "core_support.h"

namespace cp = lmx::cp932;
using std::string;

TEST(DoubleByteTest, LooksAtTwoBytes) {
  struct Case { string bytes; bool expected; } cases[] = {
      {"\x82\x60", true}, {"\x85\x40", false}, {"\x81\x7F", false}, {"\x81", false},
      {"\x88\xEA", true}, {"\xFC\xFC", true}, {"\xFD\x40", false}, {"\x9F\x3F", false}, {"A\x41", false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cp::is_double_byte(cases[i].bytes, 0), cases[i].expected) << "case " << i << ": " << hex(cases[i].bytes);
}

TEST(BoundaryWalk, TrailBytesThatLookLikeLeadBytes) {
  // メ is 83 81; its trail 81 is also a lead byte, so the local test at offset
  // 1 would take 81 41 for a character. Walking from the start knows better.
  const string me_a = sjis(u8"メA");
  ASSERT_EQ(me_a, "\x83\x81" "A");
  EXPECT_TRUE(cp::is_boundary(me_a, 0));
  EXPECT_FALSE(cp::is_boundary(me_a, 1));
  EXPECT_TRUE(cp::is_boundary(me_a, 2));
  EXPECT_TRUE(cp::is_boundary(me_a, 3));
  EXPECT_EQ(cp::boundary_at_or_after(me_a, 1), 2u);

  // A run of such characters: every even offset is a boundary.
  const string run = sjis(u8"メムャメム") + "x";
  for (std::size_t p = 0; p <= run.size(); ++p) EXPECT_EQ(cp::is_boundary(run, p), p % 2 == 0 || p == run.size()) << p;
  // Walking on from a known boundary gives the same answers.
  cp::Boundaries walker(run, cp::Walk::double_byte_test);
  for (std::size_t p = 0; p <= run.size(); ++p) EXPECT_EQ(walker.at_or_after(p), cp::boundary_at_or_after(run, p)) << p;
}

TEST(WhiteSpace, ForwardAndBackward) {
  const string s = string("\x81\x40") + " \t" + "\x83\x40";
  EXPECT_EQ(cp::white_space_width(s, 0, cp::Direction::forward), 2u);
  EXPECT_EQ(cp::white_space_width(s, 2, cp::Direction::forward), 1u);
  EXPECT_EQ(cp::white_space_width(s, 3, cp::Direction::forward), 1u);
  EXPECT_EQ(cp::white_space_width(s, 4, cp::Direction::forward), 0u);  // ァ 83 40 is no space
  EXPECT_EQ(cp::white_space_width(s, 1, cp::Direction::backward), 2u);
  EXPECT_EQ(cp::white_space_width("@", 0, cp::Direction::backward), 0u);
}

TEST(Trims, NarrowCases) {
  struct Case { string in, left, right, both; } cases[] = {
      {"  ab ", "ab ", "  ab", "ab"},
      {"   ", "", "", ""},
      {"", "", "", ""},
      {string("\x81\x40\t \x81\x40") + "x", "x", string("\x81\x40\t \x81\x40") + "x", "x"},
      {string("x\x81\x40 "), string("x\x81\x40 "), "x", "x"},
      {"\x83\x40z", "\x83\x40z", "\x83\x40z", "\x83\x40z"},  // a leading ァ is kept
      {"@", "@", "@", "@"},
      // メ@ is 83 81 40: the 81 40 there is no full-width space.
      {sjis(u8"メ@"), sjis(u8"メ@"), sjis(u8"メ@"), sjis(u8"メ@")},
      {sjis(u8"メ@　 "), sjis(u8"メ@　 "), sjis(u8"メ@"), sjis(u8"メ@")},
      {"\t\r\n\v\fa\t\r\n\v\f", "a\t\r\n\v\f", "\t\r\n\v\fa", "a"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(string(cp::trim_left(c.in)), c.left) << "case " << i;
    EXPECT_EQ(string(cp::trim_right(c.in)), c.right) << "case " << i;
    EXPECT_EQ(string(cp::trim(c.in)), c.both) << "case " << i;
    string buf = c.in;
    EXPECT_EQ(string(cp::trim_in_place(buf.data())), c.both) << "case " << i;
  }
}

TEST(Trims, WideRight) {
  EXPECT_EQ(cp::trim_right_wide(u"ab "), u"ab");
  EXPECT_EQ(cp::trim_right_wide(u" "), u"");
  EXPECT_EQ(cp::trim_right_wide(u""), u"");
  EXPECT_EQ(cp::trim_right_wide(u" a\u3000\t\r\n"), u" a");
  std::u16string buf = u"x \u3000";
  EXPECT_EQ(std::u16string(cp::trim_right_wide_in_place(buf.data())), u"x");
}

TEST(Folds, ModesAndDoubleByteCharacters) {
  const string mixed = string("AbC") + "\x82\x60\x82\x61" + "\x82\x81";  // ＡＢ ａ
  struct Case { unsigned mode; string lower, upper; } cases[] = {
      {0, string("abc") + "\x82\x81\x82\x82" + "\x82\x81", string("ABC") + "\x82\x60\x82\x61" + "\x82\x60"},
      {1, string("abc") + "\x82\x60\x82\x61" + "\x82\x81", string("ABC") + "\x82\x60\x82\x61" + "\x82\x81"},
      {2, string("AbC") + "\x82\x81\x82\x82" + "\x82\x81", string("AbC") + "\x82\x60\x82\x61" + "\x82\x60"},
      {7, string("abc") + "\x82\x81\x82\x82" + "\x82\x81", string("ABC") + "\x82\x60\x82\x61" + "\x82\x60"},
  };
  for (const auto& c : cases) {
    string lower = mixed, upper = mixed;
    cp::fold_lower(lower.data(), lower.size(), c.mode);
    cp::fold_upper(upper.data(), upper.size(), c.mode);
    EXPECT_EQ(hex(lower), hex(c.lower)) << "mode " << c.mode;
    EXPECT_EQ(hex(upper), hex(c.upper)) << "mode " << c.mode;
  }
  // A katakana whose trail byte is an ASCII letter is one character.
  for (unsigned mode : {0u, 1u, 2u}) {
    string a = "\x83\x41", small = "\x83\x61";
    cp::fold_lower(a.data(), 2, mode);
    cp::fold_upper(small.data(), 2, mode);
    EXPECT_EQ(a, "\x83\x41");
    EXPECT_EQ(small, "\x83\x61");
  }
  // Full-width digits never change.
  string digits = "\x82\x4F\x82\x58";
  cp::fold_lower(digits.data(), 4, 0);
  EXPECT_EQ(digits, "\x82\x4F\x82\x58");
}

TEST(ShellEquivalents, FindStartsOnBoundaries) {
  const string ka = "\x83\x41" "A";  // ア then A
  EXPECT_EQ(cp::find(ka, "A"), 2u);
  EXPECT_EQ(cp::find("\x83\x41", "A"), cp::npos);
  EXPECT_EQ(cp::find(sjis(u8"メA"), "A"), 2u);
  EXPECT_EQ(cp::find("abcabc", "bc", 2), 4u);
  EXPECT_EQ(cp::find("abc", ""), cp::npos);
  // An occurrence inside a pair is passed over, a later real one found.
  EXPECT_EQ(cp::find(string("\x83\x41\x83\x41") + "A\x41", "A\x41"), 4u);
  // The code page's walk: a lead byte takes any next byte with it.
  EXPECT_EQ(cp::find("\x81 x ", " "), 3u);
}

TEST(ShellEquivalents, SpanAndBreakOnWholeCharacters) {
  EXPECT_EQ(cp::span("   x", " "), 3u);
  EXPECT_EQ(cp::span("\x83\x42" "B", "\x83\x41"), 0u);  // Wine's StrSpnA says 2
  EXPECT_EQ(cp::span(sjis(u8"ああい"), sjis(u8"あ")), 4u);
  EXPECT_EQ(cp::find_first_of("abc,def", ",;"), 3u);
  EXPECT_EQ(cp::find_first_of("abc", ","), cp::npos);
  // Wine's StrPBrkA gives 0 for this one.
  EXPECT_EQ(cp::find_first_of("\x83\x40\x81\x46\x81\x43", "\x81\x43"), 4u);
  EXPECT_EQ(cp::find_first_of("\x83\x41", "A"), cp::npos);
}

TEST(ShellEquivalents, TrimSet) {
  EXPECT_EQ(cp::trim_set("xxabxcxx", "x"), "abxc");
  EXPECT_EQ(cp::trim_set("xxxx", "x"), "");
  EXPECT_EQ(cp::trim_set("\x83\x41" "AA", "A"), "\x83\x41");  // the pair's trail byte stays
  EXPECT_EQ(cp::trim_set(sjis(u8"「本」"), sjis(u8"「」")), sjis(u8"本"));
  EXPECT_EQ(cp::trim_set("ab", ""), "ab");
}

TEST(Trims, RightTrimAgreesWithAWalkFromTheStart) {
  const unsigned char alphabet[] = {0x81, 0x40, 0x20, 0x09, 0x83, 0x41, 0x82};
  std::mt19937 rng(40);
  for (int i = 0; i < 20000; ++i) {
    string t(rng() % 12, ' ');
    for (char& c : t) c = static_cast<char>(alphabet[rng() % std::size(alphabet)]);
    std::size_t keep = 0;
    for (std::size_t p = 0; p < t.size();) {
      const std::size_t w = cp::char_width(t, p);
      const bool space = w == 2 ? (t[p] == '\x81' && t[p + 1] == '\x40') : (t[p] == ' ' || t[p] == '\t');
      p += w;
      if (!space) keep = p;
    }
    ASSERT_EQ(hex(string(cp::trim_right(t))), hex(t.substr(0, keep))) << "case " << i << ": " << hex(t);
  }
}

TEST(Folds, BlockwiseFoldAgreesWithTheCharacterWalk) {
  // Long runs of lead bytes across 64-byte blocks, full-width letters after
  // 82, and ASCII letters that are trail bytes; both vector paths, in place
  // and into another buffer at another alignment.
  const unsigned char alphabet[] = {0x82, 0x82, 0x60, 0x81, 0x9A, 0x83, 0x41, 0x61, 0x7A, 0x20, 0x7F, 0xE0, 0x85, 0x5A};
  std::mt19937 rng(64);
  for (int i = 0; i < 3000; ++i) {
    string t(rng() % 300, ' ');
    for (char& c : t) c = static_cast<char>(alphabet[rng() % std::size(alphabet)]);
    for (auto vectors : {cp::Vectors::best, cp::Vectors::baseline}) {
      cp::use_vectors(vectors);
      for (unsigned mode : {0u, 1u, 2u}) {
        for (bool upper : {false, true}) {
          const auto fold_case = upper ? cp::Case::upper : cp::Case::lower;
          string in_place = t, copied(t.size() + 3, '#');
          cp::fold_copy(in_place.data(), in_place.data(), t.size(), mode, fold_case);
          cp::fold_copy(copied.data() + 3, t.data(), t.size(), mode, fold_case);
          const string model = model_fold(t, mode, upper);
          ASSERT_EQ(hex(in_place), hex(model)) << "case " << i << " mode " << mode << (upper ? " upper" : " lower");
          ASSERT_EQ(hex(copied), hex("###" + model)) << "case " << i << " mode " << mode;
        }
      }
    }
  }
  cp::use_vectors(cp::Vectors::best);
}
