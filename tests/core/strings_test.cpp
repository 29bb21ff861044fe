// String search, editing and trimming in the portable core: the cases macros
// rely on, double-byte rules included, and the character-level models of
// cp932_model.h to compare the fast searches with.
#include "strings/strings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core_support.h"
#include "cp932_model.h"
#include "frame/byte_search.h"
#include "text.h"

namespace s = lmx::strings;
using std::string;


TEST(Search, Cases) {
  EXPECT_EQ(s::in_str(0, "abcabc", "c"), 2);
  EXPECT_EQ(s::in_str(3, "abcabc", "c"), 5);
  EXPECT_EQ(s::in_str(6, "abcabc", "c"), -1);
  EXPECT_EQ(s::in_str(7, "abcabc", "c"), -1);
  EXPECT_EQ(s::in_str(-1, "abcabc", "c"), -1);
  EXPECT_EQ(s::in_str(0, "abc", "abcd"), -1);
  EXPECT_EQ(s::in_str(0, "", "a"), -1);
  EXPECT_EQ(s::in_str(0, "a", ""), -1);
  EXPECT_EQ(s::in_str_ex(0, "xxabcxx", "ABC", 1), 2);
  EXPECT_EQ(s::in_str_ex(0, "xxabcxx", "ABC", 0), -1);
  EXPECT_EQ(s::in_str_ex(0, "xxabcxx", "ABC", 4), -1);
  EXPECT_EQ(s::in_str_ex(0, "xxabcxx", "ABC", 2), 2);
  EXPECT_EQ(s::in_str_ex(0, "xxabcxx", "ABC", 3), -1);
  EXPECT_EQ(s::in_str_rev("abcabc", "bc"), 4);
  EXPECT_EQ(s::in_str_rev("aaa", "aa"), 1);
  // Overlapping occurrences: the last one begins one character after the one before it.
  EXPECT_EQ(s::in_str_rev("aaaa", "aa"), 2);
  EXPECT_EQ(s::in_str_rev_ex("aAa", "AA", 1), 1);
  EXPECT_EQ(s::in_str_rev(sjis(u8"ｱｱｱ"), sjis(u8"ｱｱ")), 1);
  EXPECT_EQ(s::in_str_rev(sjis(u8"アアア"), sjis(u8"アア")), 2);
  EXPECT_EQ(s::in_str_rev_ex(sjis(u8"ａＡａ"), sjis(u8"ＡＡ"), 3), 2);
  // The same past the backward search's budget: 10,000 hits inside ＝A
  // (each begins on ＝'s trail byte) send it to the forward pass, which must
  // still step one character, not one needle, after each hit in 、、、.
  const string periodic = [] {
    string t;
    for (int i = 0; i < 100; ++i) t += "\x81\x41";
    for (int i = 0; i < 10000; ++i) t += "\x81\x81\x41";
    return t;
  }();
  EXPECT_EQ(s::in_str_rev(periodic, "\x81\x41\x81"), 198);  // the last 、 and ＝'s lead byte
  EXPECT_EQ(s::in_str_rev("abc", "x"), -1);
  EXPECT_EQ(s::in_str_rev_ex("ABCabc", "BC", 1), 4);
  EXPECT_EQ(s::str_spn("   x", " "), 3);
  EXPECT_EQ(s::str_spn("   ", " "), -1);
  EXPECT_EQ(s::str_cspn("abc,def", ",;"), 3);
  EXPECT_EQ(s::str_cspn("abc", ","), -1);
  EXPECT_EQ(s::str_cspn("", ","), -1);
}

TEST(Search, DoubleByteRules) {
  const string ka_a = "\x83\x41" "A";  // ア A
  EXPECT_EQ(s::in_str(0, ka_a, "A"), 2);
  EXPECT_EQ(s::in_str(0, "\x83\x41", "A"), -1);
  EXPECT_EQ(s::in_str_ex(0, ka_a, "a", 1), 2);
  // A real match after メ (whose trail byte 81 looks like a lead byte).
  EXPECT_EQ(s::in_str(0, sjis(u8"メA"), "A"), 2);
  EXPECT_EQ(s::in_str(0, sjis(u8"メムA"), "A"), 4);
  // A start on the second byte of a character moves on.
  EXPECT_EQ(s::in_str(1, sjis(u8"あいう"), sjis(u8"い")), 2);
  EXPECT_EQ(s::in_str(1, "\x83\x41" "A", "\x41"), 2);
  // Full-width letters fold under mode 3 (and 1), not 2.
  EXPECT_EQ(s::in_str_ex(0, "x\x82\x81", "\x82\x60", 3), 1);
  EXPECT_EQ(s::in_str_ex(0, "x\x82\x81", "\x82\x60", 1), 1);
  EXPECT_EQ(s::in_str_ex(0, "x\x82\x81", "\x82\x60", 2), -1);
  // The last occurrence never starts inside a character.
  EXPECT_EQ(s::in_str_rev("A\x83\x41", "A"), 0);  // Wine's StrRChrA says 1
  EXPECT_EQ(s::in_str_rev(sjis(u8"メAメA"), "A"), 5);
}

TEST(Search, AgreesWithACharacterModel) {
  // Texts built from bytes that make the rules matter: the edges of the
  // codec's classes (lead bytes that are also trail bytes among them), and
  // trail bytes that are ASCII letters.
  auto alphabet = cp932_model::edge_bytes();
  alphabet.insert(alphabet.end(), {0x41, 0x61, 0x83});
  std::mt19937 rng(932);
  auto random_text = [&](std::size_t max) {
    string t(rng() % max + 1, ' ');
    for (char& c : t) c = static_cast<char>(alphabet[rng() % alphabet.size()]);
    return t;
  };
  for (int i = 0; i < 20000; ++i) {
    const string text = random_text(i % 4 ? 24 : 300), search = random_text(3);
    const std::size_t start = rng() % (text.size() + 1);
    if (text.size() >= search.size()) {
      ASSERT_EQ(s::in_str(static_cast<intptr_t>(start), text, search), cp932_model::first(start, text, search))
          << "case " << i << ": " << hex(text) << " / " << hex(search) << " from " << start;
    }
    ASSERT_EQ(s::in_str_rev(text, search), cp932_model::last(text, search))
        << "case " << i << ": " << hex(text) << " / " << hex(search);
  }
}

TEST(Search, FoldedSearchesAgreeWithSearchesInFoldedCopies) {
  // The model folds whole copies of both strings and searches them; the
  // library folds only the needle. Full-width letters (82 60-79, 82 81-9A),
  // whose folded trail bytes move into the code page's lead range, ASCII
  // letters of both cases as characters and as trail bytes, lead bytes that
  // are also trail bytes. Long periodic texts drive the searches past their
  // candidate budget into the streaming pass.
  const unsigned char alphabet[] = {0x41, 0x61, 0x82, 0x82, 0x60, 0x81, 0x79, 0x9A, 0x83, 0x40, 0xE0, 0x20, 0x85, 0x7F};
  std::mt19937 rng(15);
  auto random_text = [&](std::size_t max) {
    string t(rng() % max + 1, ' ');
    for (char& c : t) c = static_cast<char>(alphabet[rng() % std::size(alphabet)]);
    return t;
  };
  for (int i = 0; i < 6000; ++i) {
    string text = random_text(i % 5 ? 40 : 400), search = random_text(i % 7 ? 3 : 9);
    if (i % 50 == 0) {
      text = string(3000, 'a') + "\x82\x60";
      for (std::size_t k = 0; k < text.size(); k += 7) text[k] = 'A';
      text[2500] = 'B';
      search = string(20, 'a') + "b" + string(20, 'a');
    }
    const intptr_t mode = static_cast<intptr_t>(rng() % 5);
    const unsigned fold = mode == 1 ? 0 : mode == 2 ? 1 : 2;
    const bool folds = mode >= 1 && mode <= 3;
    const string t = folds ? model_fold(text, fold, false) : text, n = folds ? model_fold(search, fold, false) : search;
    const std::size_t start = rng() % (text.size() + 1);
    if (text.size() >= search.size()) {
      ASSERT_EQ(s::in_str_ex(static_cast<intptr_t>(start), text, search, mode), cp932_model::first(start, t, n))
          << "case " << i << ": " << hex(text) << " / " << hex(search) << " from " << start << " mode " << mode;
    }
    ASSERT_EQ(s::in_str_rev_ex(text, search, mode), cp932_model::last(t, n))
        << "case " << i << ": " << hex(text) << " / " << hex(search) << " mode " << mode;
  }
}

TEST(Search, ByteSearchFindsEveryOccurrenceOfAPeriodicNeedle) {
  // Past its budget the search switches to the streaming automaton; both must
  // give the brute-force answer, overlaps included.
  const string text = string(5000, 'a') + "b" + string(3000, 'a');
  const string needle = string(700, 'a');
  lmx::ByteSearch search(text, needle);
  std::size_t found = 0, from = 0;
  for (std::size_t hit; (hit = search.next(from)) != lmx::ByteSearch::npos; from = hit + 1) {
    ASSERT_EQ(text.compare(hit, needle.size(), needle), 0) << hit;
    ++found;
  }
  EXPECT_EQ(found, (5000 - 700 + 1) + (3000 - 700 + 1));
}

TEST(Search, LinearOnOneRepeatedLetter) {
  const string text(1'000'000, 'a');
  const string half(500'000, 'a');
  EXPECT_EQ(s::in_str_rev(text, "a"), 999'999);
  EXPECT_EQ(s::in_str_rev(text, "aa"), 999'998);
  EXPECT_EQ(s::in_str_rev(text, half), 500'000);
  EXPECT_EQ(s::in_str(0, text, half + "b"), -1);
  EXPECT_EQ(s::in_str_rev(text, half + "b"), -1);
  lmx::NarrowResult& out = buffer();
  EXPECT_EQ(string(s::replace(out, text.substr(0, 100000), "aa", "b", -1)), string(50000, 'b'));
}

TEST(Editing, Cases) {
  auto& b = buffer();
  struct Case { string got, expected; } cases[] = {
      {s::replace(b, "a-b-c", "-", "+", -1), "a+b+c"}, {s::replace(b, "a-b-c", "-", "+", 1), "a+b-c"},
      {s::replace(b, "a-b-c", "-", "+", 0), "a-b-c"}, {s::replace(b, "a-b-c", "-", "", -1), "abc"},
      {s::replace(b, "aaaa", "aa", "b", -1), "bb"}, {s::replace(b, "abc", "x", "y", -1), "abc"},
      {s::delete_str(b, "abcdef", 2, 3), "abf"}, {s::delete_str(b, "abcdef", 0, 2), "cdef"},
      {s::delete_str(b, "abcdef", 0, 6), ""}, {s::delete_str(b, "abcdef", 0, 9), ""},
      {s::delete_str(b, "abcdef", 4, 9), "abcd"}, {s::insert_str(b, "abcdef", 0, "XY"), "XYabcdef"},
      {s::insert_str(b, "abcdef", 6, "XY"), "abcdefXY"}, {s::insert_str(b, "abcdef", 3, ""), "abcdef"},
      {s::repeat_char(b, 3, "xyz"), "xxx"}, {s::repeat_text(b, 3, "xy"), "xyxyxy"},
      {s::upper(b, "abc", 0), "ABC"}, {s::lower(b, "ABC", 1), "abc"},
      // Double-byte cases.
      {s::repeat_char(b, 3, "\x88\xEA" "x"), "\x88\xEA\x88\xEA\x88\xEA"},
      {s::insert_str(b, sjis(u8"メア"), 2, "X"), sjis(u8"メXア")},  // the local test would cut ア
      {s::insert_str(b, sjis(u8"あい"), 1, "X"), sjis(u8"あXい")}, {s::delete_str(b, sjis(u8"あいう"), 1, 2), sjis(u8"あう")},
      {s::delete_str(b, sjis(u8"メアイ"), 2, 2), sjis(u8"メイ")}, {s::upper(b, "\x82\x81", 1), "\x82\x81"},
      {s::upper(b, "\x82\x81", 0), "\x82\x60"}, {s::upper(b, "\x82\x81", 2), "\x82\x60"},
      {s::replace(b, "\x83\x41" "A", "A", "b", -1), "\x83\x41" "b"},  // not the trail byte of ア
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(hex(cases[i].got), hex(cases[i].expected)) << "case " << i;
}

TEST(Editing, FailuresGiveTheEmptyResult) {
  auto& b = buffer();
  EXPECT_EQ(s::replace(b, "a-b-c", "-", "+", -2), lmx::kEmptyResult);
  EXPECT_EQ(s::replace(b, "", "-", "+", -1), lmx::kEmptyResult);
  EXPECT_EQ(s::delete_str(b, "abcdef", 7, 1), lmx::kEmptyResult);
  EXPECT_EQ(s::delete_str(b, "abcdef", 2, 0), lmx::kEmptyResult);
  EXPECT_EQ(s::insert_str(b, "", 0, "x"), lmx::kEmptyResult);
  EXPECT_EQ(s::repeat_char(b, 0, "xyz"), lmx::kEmptyResult);
  EXPECT_EQ(s::repeat_text(b, -1, "xy"), lmx::kEmptyResult);
  // A refused fold mode leaves the unchanged copy in the buffer.
  EXPECT_EQ(s::upper(b, "abc", 3), lmx::kEmptyResult);
  EXPECT_STREQ(b.data(), "abc");
  EXPECT_EQ(s::lower(b, "ABC", -1), lmx::kEmptyResult);
}

TEST(Editing, ResultsBeyondTheCapAreRefusedNotCut) {
  auto& b = buffer();
  // Ten times the text fits: grown past the five times prepared.
  string tenfold;
  for (int i = 0; i < 1000; ++i) tenfold += "0123456789";
  ASSERT_EQ(string(s::replace(b, string(1000, '-'), "-", "0123456789", -1)), tenfold);
  // 200,000 replacements of 10 bytes need 2,000,001 bytes: refused.
  EXPECT_EQ(s::replace(b, string(200000, '-'), "-", "0123456789", -1), lmx::kEmptyResult);
  // A 300,000-byte text is more than a fifth of the cap and still fine.
  EXPECT_EQ(string(s::replace(b, string(300000, 'x') + "-", "-", "+", -1)).size(), 300001u);
  EXPECT_EQ(s::repeat_char(b, 1'000'000, "x"), lmx::kEmptyResult);  // needs 1,000,001
  EXPECT_EQ(string(s::repeat_char(b, 999'999, "x")).size(), 999'999u);
  EXPECT_EQ(s::repeat_text(b, INTPTR_MAX, "xy"), lmx::kEmptyResult);
  EXPECT_EQ(s::repeat_char(b, INTPTR_MAX / 2 + 1, "\x88\xEA"), lmx::kEmptyResult);
}

TEST(Trimming, Cases) {
  auto& b = buffer();
  using s::TrimSide;
  using s::Justify;
  struct Case { string got, expected; } cases[] = {
      // The trims themselves are cp932_test's; these are the sides.
      {s::trim(b, "  ab ", TrimSide::left), "ab "}, {s::trim(b, "  ab ", TrimSide::right), "  ab"},
      {s::trim(b, "   ", TrimSide::both), ""}, {s::justify(b, "ab", 5, Justify::left), "ab   "},
      {s::justify(b, "ab", 5, Justify::right), "   ab"}, {s::justify(b, "abcdef", 3, Justify::left), "abcdef"},
      {s::justify(b, "ab", 5000, Justify::left), "ab" + string(1022, ' ')},
      {s::justify(b, "ab", 7, Justify::centre), "   ab  "}, {s::justify(b, "ab", 6, Justify::centre), "  ab  "},
      {s::justify(b, "ab", 2, Justify::centre), "ab"}, {s::justify(b, "abcdef", 3, Justify::centre), "abcdef"},
      {s::justify(b, "ab", -5, Justify::right), "ab"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
  EXPECT_EQ(s::trim_set(b, "ab", ""), lmx::kEmptyResult);
  EXPECT_EQ(s::trim(b, "", TrimSide::both), lmx::kEmptyResult);
  EXPECT_EQ(s::justify(b, "", 5, Justify::left), lmx::kEmptyResult);
  // A text longer than the buffer comes back whole from the justifications.
  const string long_text(9000, 'q');
  EXPECT_EQ(string(s::justify(b, long_text, 10, Justify::right)), long_text);
}
