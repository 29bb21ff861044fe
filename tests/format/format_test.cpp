// Kanji numerals, size strings, time and URLs through the DLL, under Wine:
// what the portable core's tests cannot see, checked against the system's
// own answers for the same input (strftime, InternetCanonicalizeUrlA).
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "exports/api.h"
#include "results.h"
#include "text.h"

namespace {

using std::string;

string u8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

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
      {0, "    0 bytes", "0", "bytes"}, {1500, "  1.5 KB", "1.5", "KB"}, {3000000000000ULL, "    3 TB", "3", "TB"}};
  for (const auto& c : cases) {
    const string path = "size-test\\" + sjis(u8"表示") + std::to_string(c.bytes) + ".bin";
    ASSERT_TRUE(make_file(path, c.bytes)) << path;
    EXPECT_EQ(GetFileSizeByte(path.c_str()), static_cast<intptr_t>(c.bytes));
    EXPECT_STREQ(GetFileSizeStr(path.c_str()), c.text);
    DeleteFileA(path.c_str());
    // An empty path gives the last query's texts without touching the file again.
    EXPECT_STREQ(GetSizeStr(""), c.number);
    EXPECT_STREQ(GetUnitStr(nullptr), c.unit);
  }
  hold_text();
  EXPECT_STREQ(GetFileSizeStr(""), "");
  EXPECT_STREQ(GetSizeStr(""), "3");  // the empty path left them alone
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

// What the C runtime's strftime gives for a format on a local moment.
string strftime_of(const string& format, int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  _mktime64(&t);
  string out(64 * format.size() + 64, '\0');
  out.resize(std::strftime(out.data(), out.size(), format.c_str(), &t));
  return out;
}

TEST(Time, EveryDirectiveOnTheFixedMomentAsTheRuntimeGivesIt) {
  ASSERT_EQ(SetTime(2026, 12, 7, 15, 4, 5), 1);  // a Monday
  for (const char letter : string("aAbBcdHIjmMpSUwWxXyYzZ%")) {
    for (const string flag : {"", "#"}) {
      const string format = "<%" + flag + letter + ">";
      EXPECT_EQ(string(TimeFormat(format.c_str())), strftime_of(format, 2026, 12, 7, 15, 4, 5)) << format;
    }
  }
  // The library's own directives, rewritten before strftime sees the rest.
  EXPECT_EQ(utf8_of_sjis(TimeFormat(sjis(u8"%#kY年%km月|%kA|%h|%#%d|%e").c_str())), u8(u8"二千二十六年一二月|月曜日|03|%d|%e"));
  // Output far beyond ten times the format grows the buffer, not refused.
  string many;
  for (int i = 0; i < 600; ++i) many += "%#c";
  EXPECT_EQ(string(TimeFormat(many.c_str())), strftime_of(many, 2026, 12, 7, 15, 4, 5));
  hold_text();
  EXPECT_STREQ(TimeFormat(""), "");
  EXPECT_STREQ(GetResult(), "held");
}

TEST(Time, OutOfRangeFieldsAndTheClock) {
  struct Case { intptr_t year, month, day, hour; const char* expected; } cases[] = {
      {2026, 13, 5, 10, "2026-01-05 10"}, {3000, 12, 31, 10, "3000-12-31 10"}, {2026, 3, 32, 10, "2026-03-01 10"},
      {2026, 2, 30, 10, "2026-03-02 10"}, {2026, 0, 10, 10, "2025-12-10 10"}, {2026, 12, 7, 25, "2026-12-08 01"},
      // A year below 1900 counts as 1900, which the C runtime's 64-bit time
      // (1970 to 3000) cannot hold: the empty result, as beyond any calendar.
      {1900, 3, 5, 10, ""}, {1800, 3, 5, 10, ""}, {INTPTR_MAX, 1, 1, 0, ""},
  };
  for (const auto& c : cases) {
    hold_text();
    EXPECT_EQ(SetTime(c.year, c.month, c.day, c.hour, 0, 0), 1);
    EXPECT_STREQ(TimeFormat("%Y-%m-%d %H"), c.expected) << c.year << "-" << c.month << "-" << c.day << " " << c.hour;
  }
  EXPECT_EQ(ResetTime(), 1);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(string(TimeFormat("%Y")), std::to_string(now.wYear));
}

TEST(Time, Wait) {
  EXPECT_EQ(Wait(-5), -1);
  EXPECT_EQ(Wait(0), 1);
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(Wait(30), 1);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(25));
}

string canonical(const string& url, DWORD flags) {
  string out(url.size() * 3 + 16, '\0');
  DWORD length = static_cast<DWORD>(out.size());
  if (!InternetCanonicalizeUrlA(url.c_str(), out.data(), &length, flags)) return "(failed)";
  out.resize(length);
  return out;
}

TEST(Url, EachExchangeOptionBitIsItsCanonicalisationFlag) {
  struct Case { intptr_t options; DWORD flags; const char* url; bool shows; } cases[] = {
      {1, ICU_ENCODE_SPACES_ONLY, "http://a/b c<d>", true},
      // Wine's canonicalisation gives no URL a different form in browser mode.
      {2, ICU_BROWSER_MODE, "http://a/b#c d", false},
      {4, ICU_NO_META, "http://a/b/../c", true},
      {8, ICU_NO_ENCODE, "http://a/b c", true},
      {16, ICU_DECODE, "http://a/%7e x", true},
      {24, ICU_NO_ENCODE | ICU_DECODE, "http://a/%7e x", true},
      {32, 0, "http://a/%7e x", false},  // no sixth bit
  };
  for (const auto& c : cases) {
    const string expected = canonical(c.url, c.flags);
    if (c.shows) {
      EXPECT_NE(expected, canonical(c.url, 0)) << c.url << " shows no difference for " << c.options;
    }
    hold_text();
    EXPECT_EQ(string(URLExchange(c.url, c.options)), expected) << c.options;
  }
  hold_text();
  EXPECT_STREQ(URLExchange("", 0), "");
  EXPECT_STREQ(GetResult(), "held");
  // A double-byte result ends where it ends, after a longer result, also
  // where the system leaves it unterminated (Wine's ANSI form does).
  const string longer(5000, 'x');
  for (const char* url : {"\x83", "\x83\x41", "http://a/\x83\x41?\x83"}) {
    ASSERT_EQ(string(UrlEncode(longer.c_str(), 0)), longer);
    const string got = URLExchange(url, 0);
    EXPECT_FALSE(got.empty()) << hex(url);
    EXPECT_EQ(got.find('x'), string::npos) << hex(url) << ": " << hex(got);
  }
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
  EXPECT_EQ(utf8_of_sjis(TimeFormat("%a %p")), u8(u8"月 午後"));
}

}  // namespace
