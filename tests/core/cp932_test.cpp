// The code page 932 character rules, natively, against the byte classes of
// Python's cp932 codec (cp932_model.h), never against the library itself.
#include "frame/cp932.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "cp932_model.h"
#include "text.h"

namespace cp = lmx::cp932;
namespace model = cp932_model;
using std::string;

TEST(ByteClasses, EveryByteAndEveryPairAgreeWithTheCodec) {
  for (int first = 0; first < 256; ++first) {
    const auto b = static_cast<unsigned char>(first);
    const string alone(1, static_cast<char>(b));
    EXPECT_EQ(cp::is_lead(b), model::is_test_lead(b)) << hex(alone);
    EXPECT_EQ(cp::is_cp_lead(b), model::is_cp_lead(b)) << hex(alone);
    EXPECT_EQ(cp::is_trail(b), cp932_oracle::is_trail(b)) << hex(alone);
    EXPECT_EQ(cp::char_width(alone, 0), 1u) << hex(alone);
    EXPECT_EQ(cp::cp_char_width(alone, 0), 1u) << hex(alone);
    // Only the full-width space 81 40 is white space among double-byte characters.
    const std::size_t space = b == 0x81 ? 2 : model::is_cp_lead(b) ? 0 : (b == ' ' || (b >= 9 && b <= 13)) ? 1 : 0;
    EXPECT_EQ(cp::white_space_width(alone + "@", 0, cp::Direction::forward), space) << hex(alone);
    for (int second = 0; second < 256; ++second) {
      const string pair = alone + static_cast<char>(second);
      ASSERT_EQ(cp::is_double_byte(pair, 0), model::is_double_byte(pair, 0)) << hex(pair);
      ASSERT_EQ(cp::is_double_byte(pair.c_str()), model::is_double_byte(pair, 0)) << hex(pair);
      ASSERT_EQ(cp::cp_char_width(pair, 0), model::cp_width(pair, 0)) << hex(pair);
    }
  }
}

TEST(ByteClasses, BlockwiseFoldsKeepEveryPairWhole) {
  // Every first byte before every second byte, then an ASCII letter, so that
  // each pair meets the 16-byte blocks at every offset.
  for (int first = 0; first < 256; ++first) {
    string text;
    for (int second = 0; second < 256; ++second) text += {static_cast<char>(first), static_cast<char>(second), 'a', 'Z'};
    for (unsigned mode : {0u, 1u, 2u, 7u}) {  // 1 ASCII only, 2 full-width only, else both
      for (bool upper : {false, true}) {
        string folded = text;
        upper ? cp::fold_upper(folded.data(), folded.size(), mode) : cp::fold_lower(folded.data(), folded.size(), mode);
        ASSERT_EQ(folded, model::fold(text, mode, upper)) << "first " << first << " mode " << mode << " upper " << upper;
      }
    }
  }
}

TEST(BoundaryWalk, TrailBytesThatLookLikeLeadBytes) {
  // Many trail bytes are also lead bytes (メ is 83 81, and 81 41 would pass
  // the local test), so boundaries are found by walking. Random texts of the
  // bytes at the codec's class edges: every boundary question, from the start
  // and walking on, against the model's walk.
  const auto alphabet = model::edge_bytes();
  std::mt19937 rng(81);
  for (int i = 0; i < 3000; ++i) {
    string t(rng() % 40, ' ');
    for (char& c : t) c = static_cast<char>(alphabet[rng() % alphabet.size()]);
    cp::Boundaries walker(t, cp::Walk::double_byte_test), cp_walker(t, cp::Walk::code_page);
    for (std::size_t p = 0, next = 0, cp_next = 0; p <= t.size(); ++p) {
      while (next < p) next += model::width(t, next);
      while (cp_next < p) cp_next += model::cp_width(t, cp_next);
      ASSERT_EQ(cp::boundary_at_or_after(t, p), next) << hex(t) << " at " << p;
      ASSERT_EQ(walker.at_or_after(p), next) << hex(t) << " walking, at " << p;
      ASSERT_EQ(cp_walker.at_or_after(p), cp_next) << hex(t) << " code page walk, at " << p;
    }
  }
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
      {"  ab ", "ab ", "  ab", "ab"}, {"   ", "", "", ""},
      {"", "", "", ""}, {string("\x81\x40\t \x81\x40") + "x", "x", string("\x81\x40\t \x81\x40") + "x", "x"},
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

TEST(Trims, AgreeWithAWalkFromTheStart) {
  // Runs of white space longer than the 16-byte steps, full-width spaces
  // after letters whose trail byte is 81 (メ), and sets of characters: each
  // trim against the characters walked from the start of the text.
  const unsigned char alphabet[] = {0x81, 0x40, 0x20, 0x20, 0x20, 0x20, 0x09, 0x0D, 0x83, 0x41, 0x82, 0x85, 0xEB};
  std::mt19937 rng(40);
  for (int i = 0; i < 20000; ++i) {
    string t(rng() % 70, ' ');
    for (char& c : t) c = static_cast<char>(alphabet[rng() % std::size(alphabet)]);
    const auto [left, right] = model::kept(t, model::width, model::is_white_space);
    ASSERT_EQ(hex(string(cp::trim_left(t))), hex(t.substr(left))) << "case " << i << ": " << hex(t);
    ASSERT_EQ(hex(string(cp::trim_right(t))), hex(t.substr(0, left == t.size() ? 0 : right))) << "case " << i;
    const string set = t.substr(0, rng() % 4);
    const auto [begin, end] = model::kept(t, model::cp_width, [&set](std::string_view c) { return model::in_set(set, c); });
    ASSERT_EQ(hex(string(cp::trim_set(t, set))), hex(t.substr(begin, end - begin))) << "case " << i << " set " << hex(set);
  }
}

TEST(Folds, BlockwiseFoldAgreesWithTheCharacterWalk) {
  // Long runs of lead bytes across 64-byte blocks, full-width letters after
  // 82, ASCII letters that are trail bytes, and the codec's class edges; both
  // vector paths, in place and into another buffer at another alignment.
  auto alphabet = model::edge_bytes();
  for (unsigned char b : {0x82, 0x82, 0x60, 0x79, 0x81, 0x9A, 0x41, 0x5A, 0x61, 0x7A}) alphabet.push_back(b);
  std::mt19937 rng(64);
  for (int i = 0; i < 3000; ++i) {
    string t(rng() % 300, ' ');
    for (char& c : t) c = static_cast<char>(alphabet[rng() % alphabet.size()]);
    for (auto vectors : {cp::Vectors::best, cp::Vectors::baseline}) {
      cp::use_vectors(vectors);
      for (unsigned mode : {0u, 1u, 2u}) {
        for (bool upper : {false, true}) {
          const auto fold_case = upper ? cp::Case::upper : cp::Case::lower;
          string in_place = t, copied(t.size() + 3, '#');
          cp::fold_copy(in_place.data(), in_place.data(), t.size(), mode, fold_case);
          cp::fold_copy(copied.data() + 3, t.data(), t.size(), mode, fold_case);
          const string model = model::fold(t, mode, upper);
          ASSERT_EQ(hex(in_place), hex(model)) << "case " << i << " mode " << mode << (upper ? " upper" : " lower");
          ASSERT_EQ(hex(copied), hex("###" + model)) << "case " << i << " mode " << mode;
        }
      }
    }
  }
  cp::use_vectors(cp::Vectors::best);
}
