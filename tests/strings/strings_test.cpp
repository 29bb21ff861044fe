// The string exports through the DLL, one case or two for each, as a macro
// calls them; the rules themselves are the portable core's and tested there.
#include <gtest/gtest.h>

#include <string>

#include "exports/api.h"
#include "results.h"
#include "text.h"

namespace {

using std::string;

TEST(StringSearch, ExportsGiveTheOffsets) {
  struct Case { intptr_t got, expected; } cases[] = {
      {InStr(3, "abcabc", "c"), 5},
      {InStr(0, "\x83\x41" "A", "A"), 2},  // ア's trail byte is A
      {InStr(1, sjis(u8"あいう").c_str(), sjis(u8"い").c_str()), 2}, {InStrEx(0, sjis(u8"メa").c_str(), "A", 1), 2},
      {InStrEx(0, "x\x82\x81", "\x82\x60", 2), -1}, {InStrRev("A\x83\x41", "A"), 0},
      {InStrRevEx("xABx", "ab", 2), 1}, {GetStrSpn("\x83\x42" "B", "\x83\x41"), 0},
      {GetStrCSpn("\x83\x40\x81\x46\x81\x43", "\x81\x43"), 4},
      // Null strings count as empty ones.
      {InStr(0, nullptr, "a"), -1}, {InStrRev("a", nullptr), -1},
      {GetStrSpn(nullptr, nullptr), -1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(StringEditing, ExportsWriteTheResultBuffer) {
  struct Case { string got, expected; } cases[] = {
      {Replace("a-b-c", "-", "+", 1), "a+b-c"}, {DeleteStr(sjis(u8"あいう").c_str(), 1, 2), sjis(u8"あう")},
      {InsertStr(sjis(u8"メア").c_str(), 2, "X"), sjis(u8"メXア")}, {InsertStr("abcdef", 3, nullptr), "abcdef"},
      {String(3, "\x88\xEA"), "\x88\xEA\x88\xEA\x88\xEA"}, {Strings(3, "xy"), "xyxyxy"},
      {UpperStr("abc\x82\x81", 1), "ABC\x82\x81"}, {LowerStr("\x83\x41" "A\x82\x60", 0), "\x83\x41" "a\x82\x81"},
      {LTrim("  ab "), "ab "}, {RTrim(sjis(u8"メ@　").c_str()), sjis(u8"メ@")},
      {Trim("\x81\x40" "ab\t"), "ab"}, {TrimStr(sjis(u8"「本」").c_str(), sjis(u8"「」").c_str()), sjis(u8"本")},
      {LeftJust("ab", 5), "ab   "}, {RightJust("ab", 5), "   ab"},
      {Centor("ab", 7), "   ab  "},
      // Every fold mode on ASCII and full-width letters.
      {UpperStr(sjis(u8"aＡｂB").c_str(), 0), sjis(u8"AＡＢB")}, {UpperStr(sjis(u8"aＡｂB").c_str(), 1), sjis(u8"AＡｂB")},
      {UpperStr(sjis(u8"aＡｂB").c_str(), 2), sjis(u8"aＡＢB")}, {LowerStr(sjis(u8"aＡｂB").c_str(), 0), sjis(u8"aａｂb")},
      {LowerStr(sjis(u8"aＡｂB").c_str(), 1), sjis(u8"aＡｂb")}, {LowerStr(sjis(u8"aＡｂB").c_str(), 2), sjis(u8"aａｂB")},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(hex(cases[i].got), hex(cases[i].expected)) << "case " << i;
}

TEST(StringEditing, FailuresReturnTheEmptyResult) {
  hold_text();
  const char* failures[] = {Replace("a-b-c", "-", "+", -2), DeleteStr("abcdef", 7, 1), DeleteStr("abcdef", 2, 0),
                            String(0, "xyz"), Trim(""), TrimStr("ab", ""), LeftJust(nullptr, 3)};
  for (std::size_t i = 0; i < std::size(failures); ++i) EXPECT_STREQ(failures[i], "") << "case " << i;
  EXPECT_STREQ(GetResult(), "held");
  // The refused fold mode leaves its unchanged copy in the result buffer.
  for (intptr_t refused : {intptr_t{-1}, intptr_t{3}, INTPTR_MAX}) {
    EXPECT_STREQ(UpperStr("abc", refused), "") << refused;
    EXPECT_STREQ(GetResult(), "abc") << refused;
    EXPECT_STREQ(LowerStr("ABC", refused), "") << refused;
    EXPECT_STREQ(GetResult(), "ABC") << refused;
  }
}

}  // namespace
