// Kanji numerals, size texts, the time-format rewriting and the URL codec in
// the portable core.
#include <gtest/gtest.h>

#include <string>

#include "../support/text.h"
#include "core_support.h"
#include "format/kanji.h"
#include "format/size_text.h"
#include "format/time_format.h"
#include "format/url.h"

using std::string;

namespace {

string kanji(intptr_t n, intptr_t mode) { return lmx::kanji::number_to_kanji(buffer(), n, mode); }
string kanji_digits(const string& d, intptr_t mode) { return lmx::kanji::digits_to_kanji(buffer(), d, mode); }

}  // namespace

TEST(Kanji, Cases) {
  struct Case { string got; const char8_t* expected; } cases[] = {
      {kanji(0, 0), u8"〇"}, {kanji(0, 1), u8"零"},
      {kanji(2026, 0), u8"二〇二六"}, {kanji(2026, 1), u8"二千二十六"},
      {kanji(10, 1), u8"十"}, {kanji(11, 1), u8"十一"},
      {kanji(105, 1), u8"百五"}, {kanji(1000, 1), u8"千"},
      {kanji(1100, 1), u8"千百"}, {kanji(10000, 1), u8"一万"},
      {kanji(10000000, 1), u8"一千万"}, {kanji(123456789, 1), u8"一億二千三百四十五万六千七百八十九"},
      {kanji(12, 2), u8"一二"}, {kanji(12, -1), u8"一二"},
      {kanji(110000, 1), u8"十一万"}, {kanji(INTPTR_MAX, 1), u8"九百二十二京三千三百七十二兆三百六十八億五千四百七十七万五千八百七"},
      // Groups of zeros get no name.
      {kanji(100000000, 1), u8"一億"}, {kanji(10000000000, 1), u8"百億"},
      {kanji(1000000000001, 1), u8"一兆一"}, {kanji_digits("00001", 1), u8"一"},
      {kanji_digits("007", 0), u8"〇〇七"}, {kanji_digits("007", 1), u8"七"},
      {kanji_digits("000", 1), u8"零"}, {kanji_digits("1" + string(68, '0'), 1), u8"一無量大数"},
      {kanji_digits("12a", 1), u8""},
      {kanji_digits(string(73, '1'), 1), u8""},  // past the last group name
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(utf8_of_sjis(cases[i].got), reinterpret_cast<const char*>(cases[i].expected)) << "case " << i;
  EXPECT_EQ(lmx::kanji::number_to_kanji(buffer(), -5, 1), lmx::kEmptyResult);
  EXPECT_EQ(lmx::kanji::digits_to_kanji(buffer(), "", 1), lmx::kEmptyResult);
  EXPECT_EQ(kanji_digits(string(100, '9'), 0).size(), 200u);
  EXPECT_EQ(kanji_digits(string(72, '9'), 1).size(), 18u * 14 + 12 * 2 + 3 * 6 + 2 * 8);
  // 200,000 digits fill the 1,000,000-byte buffer's rule exactly; one more is refused.
  EXPECT_EQ(kanji_digits(string(200000, '1'), 0).size(), 400000u);
  EXPECT_EQ(lmx::kanji::digits_to_kanji(buffer(), string(200001, '1'), 0), lmx::kEmptyResult);
}

TEST(Kanji, ConversionNeverWritesPastItsOutput) {
  char out[8];
  EXPECT_EQ(lmx::kanji::convert("1234", out, sizeof out, lmx::kanji::Form::digits), lmx::kanji::npos);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(lmx::kanji::convert("123", out, sizeof out, lmx::kanji::Form::digits), 6u);
  EXPECT_EQ(lmx::kanji::convert("1001", out, sizeof out, lmx::kanji::Form::numeral), 4u);  // 千一
  EXPECT_EQ(lmx::kanji::convert("9999", out, sizeof out, lmx::kanji::Form::numeral), lmx::kanji::npos);
}

TEST(SizeText, Cases) {
  struct Case { unsigned long long bytes; const char *text, *number, *unit; } cases[] = {
      {0, "    0 bytes", "0", "bytes"}, {500, "  500 bytes", "500", "bytes"},
      {1000, " 1000 bytes", "1000", "bytes"}, {1001, "    1 KB", "1", "KB"},
      {1500, "  1.5 KB", "1.5", "KB"}, {1960, "  2.0 KB", "2.0", "KB"},
      {2030, "    2 KB", "2", "KB"}, {1000000, " 1000 KB", "1000", "KB"},
      {1536000, "  1.5 MB", "1.5", "MB"}, {5000000000ULL, "    5 GB", "5", "GB"},
      {1039, "    1 KB", "1", "KB"}, {1040, "  1.0 KB", "1.0", "KB"}, {999999, "1000.0 KB", "1000.0", "KB"},
      {1000001, "    1 MB", "1", "MB"}, {1000000000, " 1000 MB", "1000", "MB"}, {1000000001, "    1 GB", "1", "GB"},
      {3000000000000ULL, "    3 TB", "3", "TB"}, {18446744073709551615ULL, "18446744.1 TB", "18446744.1", "TB"},
  };
  for (const auto& c : cases) {
    const auto t = lmx::size_text::describe(c.bytes);
    EXPECT_STREQ(t.text, c.text) << c.bytes;
    EXPECT_STREQ(t.number, c.number) << c.bytes;
    EXPECT_STREQ(t.unit, c.unit) << c.bytes;
  }
}

TEST(TimeFormatRewrite, JapaneseDirectivesAndLiterals) {
  const lmx::time_format::Moment monday{2026, 12, 7, 15, 4, 5, 1};
  const lmx::time_format::Moment midnight{2026, 12, 7, 0, 0, 9, 1};
  const lmx::time_format::Moment noon{2026, 12, 7, 12, 0, 0, 1}, before_noon{2026, 12, 7, 11, 59, 59, 1};
  struct Case { string format; lmx::time_format::Moment m; const char8_t* expected; } cases[] = {
      {sjis(u8"%kY年%km月%kd日"), monday, u8"二〇二六年一二月七日"}, {sjis(u8"%#kY年%#km月%#kd日"), monday, u8"二千二十六年十二月七日"},
      {sjis(u8"%kp%#kI時%#kM分"), monday, u8"午後三時四分"}, {"%kh", monday, u8"三"},
      {"%kA", monday, u8"月曜日"}, {"%ka", monday, u8"月"},
      {"%kB", monday, u8"師走"}, {"%ky", monday, u8"二六"},
      {"%#ky", monday, u8"二六"}, {"%kS%#kS", monday, u8"五五"},
      {"%kI", midnight, u8"一二"}, {"%#kI", midnight, u8"十二"},
      {"%kh", midnight, u8"〇"}, {"%#kH", midnight, u8"零"},
      {"%kp", midnight, u8"午前"}, {"%#kA%#ka%#kB%#kp", monday, u8"月曜日月師走午後"},
      {"%kp%#kI%kh", noon, u8"午後十二〇"}, {"%kp%#kI%kh", before_noon, u8"午前十一一一"},
      // What strftime gets: pass-through directives kept, every other "%" doubled.
      {"%Y/%m/%d %H:%M:%S", monday, u8"%Y/%m/%d %H:%M:%S"}, {"%h%kM", monday, u8"%I四"},
      {"%#h", monday, u8"%#I"}, {"%#d %#%d", monday, u8"%#d %%d"},
      {"100%", monday, u8"100%%"}, {"%e %F %T %n %t %D", monday, u8"%%e %%F %%T %%n %%t %%D"},
      {"%%kA", monday, u8"%%kA"}, {"%kQ", monday, u8"%%kQ"},
      {"%#", monday, u8"%%#"}, {"%k", monday, u8"%%k"},
      {sjis(u8"%あ"), monday, u8"%%あ"},
      // A double-byte character whose trail byte is a letter is copied whole.
      {"\x83\x41%kA", monday, u8"ア月曜日"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const string got = lmx::time_format::rewrite(cases[i].format, cases[i].m);
    EXPECT_EQ(utf8_of_sjis(got), reinterpret_cast<const char*>(cases[i].expected)) << "case " << i;
  }
}

TEST(TimeFormatRewrite, EveryWeekdayAndMonthName) {
  const char8_t* weekdays[] = {u8"日曜日", u8"月曜日", u8"火曜日", u8"水曜日", u8"木曜日", u8"金曜日", u8"土曜日"};
  const char8_t* letters[] = {u8"日", u8"月", u8"火", u8"水", u8"木", u8"金", u8"土"};
  const char8_t* months[] = {u8"睦月", u8"如月", u8"弥生", u8"卯月", u8"皐月", u8"水無月",
                             u8"文月", u8"葉月", u8"長月", u8"神無月", u8"霜月", u8"師走"};
  for (int d = 0; d < 7; ++d) {
    const lmx::time_format::Moment m{2026, 1, 1, 0, 0, 0, d};
    EXPECT_EQ(lmx::time_format::rewrite("%kA", m), sjis(weekdays[d])) << d;
    EXPECT_EQ(lmx::time_format::rewrite("%ka", m), sjis(letters[d])) << d;
  }
  for (int month = 1; month <= 12; ++month)
    EXPECT_EQ(lmx::time_format::rewrite("%kB", {2026, month, 1, 0, 0, 0, 0}), sjis(months[month - 1])) << month;
}

TEST(TimeFormatRewrite, ALeadByteWithoutTrailLeavesTheDirective) {
  // 83 25 is no character: 83 is copied alone and %kA is a directive.
  EXPECT_EQ(lmx::time_format::rewrite("\x83%kA", {2026, 12, 7, 15, 4, 5, 1}), "\x83" + sjis(u8"月曜日"));
}

TEST(Url, EncodeAndDecode) {
  auto& b = buffer();
  struct Case { string got, expected; } cases[] = {
      {lmx::url::encode_narrow(b, "a b", 0), "a b"}, {lmx::url::encode_narrow(b, "a b", 1), "a%20b"},
      {lmx::url::encode_narrow(b, "a b", 2), "a%20b"}, {lmx::url::encode_narrow(b, "100%#x", 2), "100%25%23x"},
      {lmx::url::encode_narrow(b, "100%#x", 1), "100%#x"}, {lmx::url::encode_narrow(b, "\x82\xA0", 0), "%82%A0"},
      {lmx::url::encode_narrow(b, "\xB1", 2), "\xB1"},
      {lmx::url::encode_narrow(b, "<>\"#%{}|\\^~[]` !", 2), "%3C%3E%22%23%25%7B%7D%7C%5C%5E%7E%5B%5D%60%20!"},
      {lmx::url::encode_narrow(b, "\x81\x09", 2), "\x81\x09"},  // a lead byte without a trail byte
      {lmx::url::decode(b, "a%20b+c"), "a b+c"}, {lmx::url::decode(b, "%e3%81%82"), "\xE3\x81\x82"},
      {lmx::url::decode(b, "100%"), "100%"}, {lmx::url::decode(b, "%4G"), "%4G"},
      {lmx::url::decode(b, "%41%42"), "AB"}, {lmx::url::decode(b, "%4"), "%4"},
      {lmx::url::decode(b, "a%00b"), "a"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;

  ASSERT_TRUE(lmx::url::encode_utf8(b, "a b&c", false));
  EXPECT_STREQ(b.data(), "a%20b%26c");
  ASSERT_TRUE(lmx::url::encode_utf8(b, "a b&c", true));
  EXPECT_STREQ(b.data(), "%61%20%62%26%63");
  ASSERT_TRUE(lmx::url::encode_utf8(b, "50%!-.<>\\^_{|}~\"`", false));
  EXPECT_STREQ(b.data(), "50%!-.<>\\^_{|}~\"`");
  ASSERT_TRUE(lmx::url::encode_utf8(b, "\t\x7F", false));
  EXPECT_STREQ(b.data(), "%09%7F");

  // Too long for the cap: refused, not cut.
  EXPECT_EQ(lmx::url::encode_narrow(b, string(333334, 'a'), 0), lmx::kEmptyResult);
  EXPECT_EQ(string(lmx::url::encode_narrow(b, string(333333, ' '), 1)).size(), 999999u);
  EXPECT_EQ(lmx::url::decode(b, string(1000000, 'a')), lmx::kEmptyResult);
  EXPECT_EQ(lmx::url::encode_narrow(b, "", 0), lmx::kEmptyResult);
}
