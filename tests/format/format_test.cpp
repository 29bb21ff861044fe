// Kanji numerals, size strings, time and URLs through the DLL, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "exports/api.h"
#include "text.h"

namespace {

using std::string;

string u8(const char8_t* s) { return reinterpret_cast<const char*>(s); }
string shown(const char* sjis_text) { return utf8_of_sjis(sjis_text); }

TEST(Kanji, ExportsWriteTheResultBuffer) {
  EXPECT_EQ(shown(NumToKanji(2026, 1)), u8(u8"二千二十六"));
  EXPECT_EQ(shown(NumToKanji(2026, 0)), u8(u8"二〇二六"));
  EXPECT_EQ(shown(NumToKanji(10000000000, 1)), u8(u8"百億"));
  EXPECT_EQ(shown(NumStringToKanji("00001", 1)), u8(u8"一"));
  EXPECT_EQ(shown(NumStringToKanji("007", 0)), u8(u8"〇〇七"));
  const char* refused = NumStringToKanji("12a", 1);
  EXPECT_EQ(refused, GetResult());
  EXPECT_STREQ(refused, "");
  EXPECT_NE(NumToKanji(-5, 1), GetResult());
  EXPECT_NE(NumStringToKanji(nullptr, 1), GetResult());
}

// A file of the given size, made sparse by moving its end.
bool make_file(const string& path, unsigned long long size) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  const bool ok = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
  CloseHandle(h);
  return ok;
}

TEST(Size, TextsOfRealFiles) {
  CreateDirectoryA("size-test", nullptr);
  struct Case { unsigned long long bytes; const char *text, *number, *unit; } cases[] = {
      {0, "    0 bytes", "0", "bytes"},         {500, "  500 bytes", "500", "bytes"},
      {1000, " 1000 bytes", "1000", "bytes"},   {1001, "    1 KB", "1", "KB"},
      {1500, "  1.5 KB", "1.5", "KB"},          {1960, "  2.0 KB", "2.0", "KB"},
      {2030, "    2 KB", "2", "KB"},            {1000000, " 1000 KB", "1000", "KB"},
      {5000000000ULL, "    5 GB", "5", "GB"},    {3000000000000ULL, "    3 TB", "3", "TB"},
  };
  for (const auto& c : cases) {
    const string path = "size-test\\" + std::to_string(c.bytes) + ".bin";
    ASSERT_TRUE(make_file(path, c.bytes)) << path;
    EXPECT_EQ(GetFileSizeByte(path.c_str()), static_cast<intptr_t>(c.bytes));
    EXPECT_STREQ(GetFileSizeStr(path.c_str()), c.text);
    EXPECT_STREQ(GetSizeStr(path.c_str()), c.number);
    EXPECT_STREQ(GetUnitStr(path.c_str()), c.unit);
    DeleteFileA(path.c_str());
  }
  // The three texts stay for an empty path, without touching the file again.
  const string path = "size-test\\" + sjis(u8"表示.bin");
  ASSERT_TRUE(make_file(path, 1536000));
  EXPECT_STREQ(GetFileSizeStr(path.c_str()), "  1.5 MB");
  DeleteFileA(path.c_str());
  EXPECT_STREQ(GetSizeStr(""), "1.5");
  EXPECT_STREQ(GetUnitStr(nullptr), "MB");
  const char* none = GetFileSizeStr("");
  EXPECT_NE(none, GetResult());
  EXPECT_STREQ(GetSizeStr(""), "1.5");  // the empty path left them alone
  // A path that matches nothing empties them.
  EXPECT_EQ(GetFileSizeByte("size-test\\missing.bin"), -1);
  EXPECT_STREQ(GetSizeStr(""), "");
  EXPECT_STREQ(GetUnitStr(""), "");
  EXPECT_EQ(GetFileSizeByte(""), -1);
  // A wildcard gives the first match; a directory its entry's size.
  ASSERT_TRUE(make_file("size-test\\w.bin", 2030));
  EXPECT_EQ(GetFileSizeByte("size-test\\w*"), 2030);
  DeleteFileA("size-test\\w.bin");
  EXPECT_EQ(GetFileSizeByte("size-test"), 0);
  RemoveDirectoryA("size-test");
}

TEST(Time, WorkedExampleOnAFixedMoment) {
  ASSERT_EQ(SetTime(2026, 12, 7, 15, 4, 5), 1);  // a Monday
  struct Case { string format; string expected; } cases[] = {
      {"%Y/%m/%d %H:%M:%S", "2026/12/07 15:04:05"},
      {sjis(u8"%kY年%km月%kd日"), sjis(u8"二〇二六年一二月七日")},
      {sjis(u8"%#kY年%#km月%#kd日"), sjis(u8"二千二十六年十二月七日")},
      {sjis(u8"%kp%#kI時%#kM分"), sjis(u8"午後三時四分")},
      {"%kh", sjis(u8"三")},
      {"%kA", sjis(u8"月曜日")},
      {"%ka", sjis(u8"月")},
      {"%kB", sjis(u8"師走")},
      {"%ky|%#ky", sjis(u8"二六|二六")},
      {"%h|%I", "03|03"},
      {"%h%kM", "03" + sjis(u8"四")},
      {"%d|%#d|%#%d", "07|7|%d"},
      {"100%", "100%"},
      {"%e %F %T", "%e %F %T"},
      {"%%kA", "%kA"},
      {"%kQ", "%kQ"},
      {"%j %w %y %#H %#M", "341 1 26 15 4"},
      {"\x83\x41%kA", "\x83\x41" + sjis(u8"月曜日")},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(shown(TimeFormat(cases[i].format.c_str())), utf8_of_sjis(cases[i].expected)) << "case " << i;

  ASSERT_EQ(SetTime(2026, 12, 7, 0, 0, 0), 1);
  EXPECT_EQ(shown(TimeFormat("%kI|%#kI|%kh|%#kH|%kp")), u8(u8"一二|十二|〇|零|午前"));
  // Long output is not refused for want of room.
  string many;
  for (int i = 0; i < 40; ++i) many += "%#c";
  EXPECT_GT(string(TimeFormat(many.c_str())).size(), 40u * 20);
  EXPECT_NE(TimeFormat(""), GetResult());
}

TEST(Time, OutOfRangeFieldsAndTheClock) {
  SetTime(2026, 13, 5, 10, 0, 0);
  EXPECT_STREQ(TimeFormat("%Y-%m-%d"), "2026-01-05");
  // A year below 1900 counts as 1900, which the C runtime's 64-bit time (1970
  // to 3000) cannot hold: both give the empty result.
  SetTime(1900, 3, 5, 10, 0, 0);
  EXPECT_NE(TimeFormat("%Y-%m-%d"), GetResult());
  SetTime(1800, 3, 5, 10, 0, 0);
  EXPECT_NE(TimeFormat("%Y-%m-%d"), GetResult());
  SetTime(3000, 12, 31, 10, 0, 0);
  EXPECT_STREQ(TimeFormat("%Y-%m-%d"), "3000-12-31");
  SetTime(2026, 3, 32, 10, 0, 0);
  EXPECT_STREQ(TimeFormat("%Y-%m-%d"), "2026-03-01");
  SetTime(2026, 2, 30, 10, 0, 0);
  EXPECT_STREQ(TimeFormat("%Y-%m-%d"), "2026-03-02");
  SetTime(2026, 0, 10, 10, 0, 0);
  EXPECT_STREQ(TimeFormat("%Y-%m-%d"), "2025-12-10");
  SetTime(2026, 12, 7, 25, 0, 0);  // 25:00 on the 7th
  EXPECT_STREQ(TimeFormat("%Y-%m-%d %H"), "2026-12-08 01");
  SetTime(INTPTR_MAX, 1, 1, 0, 0, 0);
  EXPECT_NE(TimeFormat("%Y"), GetResult());
  EXPECT_EQ(ResetTime(), 1);
  char expected[8];
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::snprintf(expected, sizeof expected, "%04d", now.wYear);
  EXPECT_STREQ(TimeFormat("%Y"), expected);
}

TEST(Time, Wait) {
  EXPECT_EQ(Wait(-5), -1);
  EXPECT_EQ(Wait(0), 1);
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(Wait(30), 1);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(25));
}

TEST(Url, Codecs) {
  EXPECT_STREQ(UrlEncode("a b", 1), "a%20b");
  EXPECT_STREQ(UrlEncode("100%#x", 2), "100%25%23x");
  EXPECT_STREQ(UrlEncode("\x82\xA0", 0), "%82%A0");
  EXPECT_STREQ(UrlEncodeW(L"a b&c", 0), L"a%20b%26c");
  EXPECT_STREQ(GetResult(), "a%20b%26c");  // the narrow form stays too
  EXPECT_STREQ(UrlEncodeW(L"a b&c", 1), L"%61%20%62%26%63");
  EXPECT_STREQ(UrlEncodeW(L"\u3042", 0), L"%E3%81%82");
  EXPECT_STREQ(UrlEncodeW(L"\t", 1), L"%09");
  EXPECT_STREQ(UrlEncodeW(L"50%", 0), L"50%");
  EXPECT_NE(UrlEncodeW(L"", 0), GetResultW());
  EXPECT_STREQ(UrlDecode("a%20b+c"), "a b+c");
  EXPECT_STREQ(UrlDecode("%e3%81%82"), "\xE3\x81\x82");
  EXPECT_STREQ(UrlDecode("%4G"), "%4G");
  const std::wstring too_long(400000, L'\x3042');
  EXPECT_STREQ(UrlEncodeW(too_long.c_str(), 0), L"");
}

TEST(Url, Exchange) {
  EXPECT_STREQ(URLExchange("http://a/b c", 0), "http://a/b%20c");
  EXPECT_STREQ(URLExchange("http://a/%41", 16), "http://a/A");
  EXPECT_NE(URLExchange("", 0), GetResult());
  // Longer than the buffer as it stands: grown, not refused.
  const string long_url = "http://a/" + string(6000, 'x');
  EXPECT_EQ(string(URLExchange(long_url.c_str(), 0)), long_url);
}

}  // namespace

namespace {

TEST(Time, EveryPassThroughDirectiveIsAcceptedByTheRuntime) {
  SetTime(2026, 12, 7, 15, 4, 5);
  for (const char letter : std::string("ABHIMSUWXYZabcdjmpwxyz")) {
    for (const std::string flag : {"", "#"}) {
      const std::string format = "<%" + flag + letter + ">";
      const std::string got = TimeFormat(format.c_str());
      EXPECT_GT(got.size(), 2u) << format;  // the C runtime neither refused it nor ended the process
      EXPECT_EQ(got.front(), '<') << format;
    }
  }
  EXPECT_STREQ(TimeFormat("%#%"), "%");
}

// Runs last here: a wide text-file export switches the whole library's C
// runtime locale to "japanese", and TimeFormat's names follow it.
TEST(TimeZZ, TheJapaneseLocaleOnceAWideFileExportSetIt) {
  SetTime(2026, 12, 7, 15, 4, 5);
  EXPECT_STREQ(TimeFormat("%a %p"), "Mon PM");
  const intptr_t h = FileOpenW(L"locale-test.txt", L"w", L"UTF8");
  ASSERT_GT(h, 0);
  WrFileW(h, L"x");
  FileClose(h);
  DeleteFileA("locale-test.txt");
  EXPECT_EQ(utf8_of_sjis(TimeFormat("%a %p")), reinterpret_cast<const char*>(u8"月 午後"));
}

}  // namespace
