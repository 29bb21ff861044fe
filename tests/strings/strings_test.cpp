// The string exports through the DLL, as a macro calls them.
#include <gtest/gtest.h>

#include <string>

#include "exports/api.h"
#include "text.h"

namespace {

using std::string;

TEST(StringSearch, ExportsGiveTheOffsets) {
  struct Case { intptr_t got, expected; } cases[] = {
      {InStr(0, "abcabc", "c"), 2},
      {InStr(3, "abcabc", "c"), 5},
      {InStr(6, "abcabc", "c"), -1},
      {InStr(7, "abcabc", "c"), -1},
      {InStr(-1, "abcabc", "c"), -1},
      {InStr(0, "abc", "abcd"), -1},
      {InStrEx(0, "xxabcxx", "ABC", 1), 2},
      {InStrEx(0, "xxabcxx", "ABC", 0), -1},
      {InStrEx(0, "xxabcxx", "ABC", 3), -1},
      {InStrRev("abcabc", "bc"), 4},
      {InStrRev("aaa", "aa"), 1},
      {InStrRevEx("xABx", "ab", 2), 1},
      {GetStrSpn("   x", " "), 3},
      {GetStrSpn("   ", " "), -1},
      {GetStrCSpn("abc,def", ",;"), 3},
      {GetStrCSpn("abc", ","), -1},
      // Double-byte text: ア's trail byte is A; メ's trail byte looks like a lead byte.
      {InStr(0, "\x83\x41" "A", "A"), 2},
      {InStr(0, "\x83\x41", "A"), -1},
      {InStr(0, sjis(u8"メA").c_str(), "A"), 2},
      {InStrEx(0, sjis(u8"メa").c_str(), "A", 1), 2},
      {InStr(1, sjis(u8"あいう").c_str(), sjis(u8"い").c_str()), 2},
      {InStrEx(0, "x\x82\x81", "\x82\x60", 3), 1},
      {InStrRev("A\x83\x41", "A"), 0},
      {GetStrSpn("\x83\x42" "B", "\x83\x41"), 0},
      {GetStrCSpn("\x83\x40\x81\x46\x81\x43", "\x81\x43"), 4},
      // Null strings count as empty ones.
      {InStr(0, nullptr, "a"), -1},
      {InStrRev("a", nullptr), -1},
      {GetStrSpn(nullptr, nullptr), -1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(StringEditing, ExportsWriteTheResultBuffer) {
  struct Case { string got, expected; } cases[] = {
      {Replace("a-b-c", "-", "+", -1), "a+b+c"},
      {Replace("a-b-c", "-", "+", 1), "a+b-c"},
      {Replace("a-b-c", "-", "", -1), "abc"},
      {Replace("aaaa", "aa", "b", -1), "bb"},
      {DeleteStr("abcdef", 2, 3), "abf"},
      {DeleteStr("abcdef", 0, 9), ""},
      {DeleteStr("abcdef", 4, 9), "abcd"},
      {InsertStr("abcdef", 0, "XY"), "XYabcdef"},
      {InsertStr("abcdef", 6, "XY"), "abcdefXY"},
      {InsertStr("abcdef", 3, nullptr), "abcdef"},
      {InsertStr(sjis(u8"メア").c_str(), 2, "X"), sjis(u8"メXア")},
      {DeleteStr(sjis(u8"あいう").c_str(), 1, 2), sjis(u8"あう")},
      {String(3, "xyz"), "xxx"},
      {String(3, "\x88\xEA"), "\x88\xEA\x88\xEA\x88\xEA"},
      {Strings(3, "xy"), "xyxyxy"},
      {UpperStr("abc\x82\x81", 0), "ABC\x82\x60"},
      {UpperStr("abc\x82\x81", 1), "ABC\x82\x81"},
      {LowerStr("\x83\x41" "A", 0), "\x83\x41" "a"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(hex(cases[i].got), hex(cases[i].expected)) << "case " << i;
}

TEST(StringEditing, FailuresReturnTheEmptyResult) {
  const char* failures[] = {Replace("a-b-c", "-", "+", -2), DeleteStr("abcdef", 7, 1), DeleteStr("abcdef", 2, 0),
                            String(0, "xyz"), UpperStr("abc", 3), Trim(""), TrimStr("ab", ""), LeftJust(nullptr, 3)};
  for (std::size_t i = 0; i < std::size(failures); ++i) {
    EXPECT_NE(failures[i], GetResult()) << "case " << i;
    EXPECT_EQ(failures[i][0], 0) << "case " << i;
  }
  // The refused fold mode leaves its unchanged copy in the result buffer.
  UpperStr("abc", 3);
  EXPECT_STREQ(GetResult(), "abc");
}

TEST(StringEditing, ReplaceGrowsPastFiveTimesAndRefusesPastTheCap) {
  const string dashes(1000, '-');
  const string grown = Replace(dashes.c_str(), "-", "0123456789", -1);
  EXPECT_EQ(grown.size(), 10000u);
  EXPECT_EQ(grown.substr(9990), "0123456789");
  const string many(200000, '-');
  const char* refused = Replace(many.c_str(), "-", "0123456789", -1);
  EXPECT_NE(refused, GetResult());
  EXPECT_STREQ(refused, "");
}

TEST(Trimming, ExportsPadAndTrim) {
  struct Case { string got, expected; } cases[] = {
      {LTrim("  ab "), "ab "},
      {RTrim("  ab "), "  ab"},
      {Trim("  ab "), "ab"},
      {Trim("   "), ""},
      {Trim("\x81\x40" "ab\t"), "ab"},
      {RTrim(sjis(u8"メ@").c_str()), sjis(u8"メ@")},
      {RTrim(sjis(u8"メ@　").c_str()), sjis(u8"メ@")},
      {TrimStr("xxabxcxx", "x"), "abxc"},
      {TrimStr(sjis(u8"「本」").c_str(), sjis(u8"「」").c_str()), sjis(u8"本")},
      {LeftJust("ab", 5), "ab   "},
      {RightJust("ab", 5), "   ab"},
      {LeftJust("abcdef", 3), "abcdef"},
      {LeftJust("ab", 5000), "ab" + string(1022, ' ')},
      {Centor("ab", 7), "   ab  "},
      {Centor("ab", 6), "  ab  "},
      {Centor("ab", 2), "ab"},
      {RightJust("ab", -3), "ab"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}

}  // namespace
