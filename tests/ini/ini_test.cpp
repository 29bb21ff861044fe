// INI profiles through the DLL under Wine, on files written byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "exports/api.h"
#include "files.h"
#include "results.h"
#include "text.h"

namespace {

using std::string;
using std::wstring;

const string kDir = "ini-test\\";

string path(const string& name) { return kDir + name; }
wstring wpath(const string& name) { return wstring(kDir.begin(), kDir.end()) + wstring(name.begin(), name.end()); }


const string kWideIni = utf16le_file(
    u8"[設定]\r\n"
    u8"a=1\r\n"
    u8"note\r\n"
    u8"名前=秀丸\t注\r\n"
    u8"n=42\r\n"
    u8"big=4294967295\r\n"
    u8"[second]\r\n"
    u8"z=last\r\n");

TEST(IniWide, NumbersAndStringsOfAUtf16File) {
  write_bytes(path("wide.ini"), kWideIni);
  const wstring w = wpath("wide.ini");
  EXPECT_EQ(GetIniNumW(w.c_str(), wide(u8"設定").c_str(), L"n"), 42);
  EXPECT_EQ(GetIniNumW(w.c_str(), wide(u8"設定").c_str(), L"big"), 4294967295LL);  // never negative
  EXPECT_EQ(GetIniNumW(w.c_str(), L"second", L"missing"), 0);
  EXPECT_EQ(wstring(GetIniStrW(w.c_str(), wide(u8"設定").c_str(), wide(u8"名前").c_str())), wide(u8"秀丸\t注"));
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"second", L"z"), L"last");
  hold_text();
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"second", L"nope"), L"");
  ASSERT_EQ(ReadSectionNamesW(w.c_str()), 2);
  EXPECT_STREQ(GetSectionW(), wide(u8"設定").c_str());
}

TEST(IniWide, RefusesOtherFilesAndKeepsItsState) {
  write_bytes(path("wide.ini"), kWideIni);
  write_bytes(path("ansi.ini"), sjis(u8"[設定]\r\na=ansi\r\n"));
  write_bytes(path("utf8.ini"), "\xEF\xBB\xBF[s]\r\nn=5\r\n");
  const wstring w = wpath("wide.ini");
  ASSERT_EQ(ReadSectionKeysW(w.c_str(), wide(u8"設定").c_str()), 4);
  ASSERT_EQ(NextKeyW(), 1);  // the cursor stands on "note"

  EXPECT_EQ(ReadSectionKeysW(wpath("ansi.ini").c_str(), wide(u8"設定").c_str()), -1);
  EXPECT_EQ(ReadSectionKeysW(wpath("utf8.ini").c_str(), L"s"), -1);
  EXPECT_EQ(ReadSectionKeysW((L".\\" + wstring(kDir.begin(), kDir.end() - 1)).c_str(), L"s"), -1);  // a directory
  EXPECT_EQ(ExistKeyW(L"n"), 2);          // the old list is still usable
  EXPECT_STREQ(GetIniKeyW(), L"note");    // and the cursor where it stood
  EXPECT_EQ(GetIniNumW(wpath("utf8.ini").c_str(), L"s", L"n"), 0);
  EXPECT_NE(GetIniStrW(wpath("ansi.ini").c_str(), wide(u8"設定").c_str(), L"a"), GetResultW());

  // A missing file passes the check and finds nothing: unloaded.
  EXPECT_EQ(ReadSectionKeysW(wpath("missing.ini").c_str(), L"s"), -1);
  EXPECT_EQ(ExistKeyW(L"n"), -2);
  EXPECT_EQ(NextKeyW(), 0);
}

TEST(IniWide, NarrowAndWideCursorsAreIndependent) {
  write_bytes(path("wide.ini"), kWideIni);
  write_bytes(path("cursor.ini"), "[s]\r\na=1\r\nb=2\r\n");
  ASSERT_EQ(ReadSectionKeys(path("cursor.ini").c_str(), "s"), 2);
  ASSERT_EQ(ReadSectionKeysW(wpath("wide.ini").c_str(), wide(u8"設定").c_str()), 4);
  EXPECT_EQ(NextKey(), 1);
  EXPECT_STREQ(GetIniKey(), "b");
  EXPECT_STREQ(GetIniKeyW(), L"a");
  EXPECT_EQ(NextKeyW(), 1);
  EXPECT_STREQ(GetIniKeyW(), L"note");
  EXPECT_STREQ(GetIniKey(), "b");
}

TEST(IniWrite, CreatesUtf16FilesAndReadsThemBack) {
  const string file = path("new.ini");
  DeleteFileA(file.c_str());
  const wstring w = wpath("new.ini");
  ASSERT_EQ(WriteIniStrW(w.c_str(), wide(u8"設定").c_str(), L"name", wide(u8"秀丸").c_str()), 1);
  const string bytes = read_bytes(file);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.substr(2, 2), string("[\0", 2));  // UTF-16LE lines follow the mark
  EXPECT_EQ(wstring(GetIniStrW(w.c_str(), wide(u8"設定").c_str(), L"name")), wide(u8"秀丸"));

  EXPECT_EQ(WriteIniNumW(w.c_str(), L"nums", L"max", 4294967295LL), 1);
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"nums", L"max"), L"-1");  // the low 32 bits, signed
  EXPECT_EQ(WriteIniNumW(w.c_str(), L"nums", L"n", -7), 1);
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"nums", L"n"), L"-7");
  EXPECT_EQ(WriteIniNumW(w.c_str(), L"nums", L"", 1), 0);
  EXPECT_EQ(WriteIniNumW(L"", L"nums", L"k", 1), 0);
  EXPECT_EQ(WriteIniStrW(w.c_str(), L"", L"k", L"v"), 0);
  // An empty value is written as one, never as a deletion.
  EXPECT_EQ(WriteIniStrW(w.c_str(), wide(u8"設定").c_str(), L"name", L""), 1);
  EXPECT_EQ(ReadSectionKeysW(w.c_str(), wide(u8"設定").c_str()), 1);
  EXPECT_STREQ(GetIniKeyDataW(), L"name=");

  // Names and texts outside code page 932, the file's name too, reach every
  // wide reader whole: none of them passes through the ANSI code page.
  const wstring odd = L"caf\u00E9\u20AC\U0001F600";
  const wstring odd_file = wpath("") + odd + L".ini";
  DeleteFileW(odd_file.c_str());
  ASSERT_EQ(WriteIniStrW(odd_file.c_str(), odd.c_str(), odd.c_str(), odd.c_str()), 1);
  EXPECT_EQ(IsUTF16LE(odd_file.c_str()), 1);
  EXPECT_EQ(wstring(GetIniStrW(odd_file.c_str(), odd.c_str(), odd.c_str())), odd);
  ASSERT_EQ(WriteIniNumW(odd_file.c_str(), odd.c_str(), L"n", 7), 1);
  EXPECT_EQ(GetIniNumW(odd_file.c_str(), odd.c_str(), L"n"), 7);
  ASSERT_EQ(ReadSectionKeysW(odd_file.c_str(), odd.c_str()), 2);
  EXPECT_EQ(ExistKeyW(odd.c_str()), 0);
  EXPECT_EQ(wstring(GetKeyValueW(0)), odd);
  EXPECT_EQ(wstring(GetIniKeyW()), odd);
  EXPECT_EQ(wstring(GetIniKeyValueW()), odd);
  ASSERT_EQ(ReadSectionNamesW(odd_file.c_str()), 1);
  EXPECT_EQ(ExistSectionW(odd.c_str()), 0);
  EXPECT_EQ(wstring(GetSectionNameW(0)), odd);
  EXPECT_EQ(wstring(GetSectionW()), odd);
}

// A name without a folder is the Windows folder's file for every wide call,
// as it is for the profile functions: a file of that name in the current
// directory is neither read nor written.
TEST(IniWrite, BareNamesAreTheWindowsFoldersFiles) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  const wstring bare = L"lmx-bare-name.ini", in_windows = wstring(windows) + L"\\" + bare;
  DeleteFileW(in_windows.c_str());
  write_bytes(path("lmx-bare-name.ini"), utf16le_file(u8"[s]\r\nk=current\r\n"));
  SetCurrentDirectoryA(kDir.c_str());
  EXPECT_EQ(WriteIniStrW(bare.c_str(), L"s", L"k", L"windows"), 1);
  EXPECT_EQ(WriteIniNumW(bare.c_str(), L"s", L"n", 7), 1);
  EXPECT_STREQ(GetIniStrW(bare.c_str(), L"s", L"k"), L"windows");
  EXPECT_EQ(GetIniNumW(bare.c_str(), L"s", L"n"), 7);
  EXPECT_EQ(ReadSectionKeysW(bare.c_str(), L"s"), 2);
  EXPECT_EQ(ReadSectionNamesW(bare.c_str()), 1);
  SetCurrentDirectoryA("..");
  EXPECT_EQ(read_bytes(path("lmx-bare-name.ini")), utf16le_file(u8"[s]\r\nk=current\r\n"));
  EXPECT_EQ(read_bytes(string(in_windows.begin(), in_windows.end())).substr(0, 2), "\xFF\xFE");
  DeleteFileW(in_windows.c_str());
}

TEST(IniWrite, NothingLostInOtherSectionsAndKeys) {
  const string file = path("keep.ini");
  write_bytes(file, utf16le_file(u8"; comment\r\n[a]\r\nx=1\r\ny=表\r\n[b]\r\nz=3\r\n[c]\r\n名=値\r\n"));
  const wstring w = wpath("keep.ini");
  ASSERT_EQ(WriteIniStrW(w.c_str(), L"b", L"z", L"changed"), 1);
  ASSERT_EQ(WriteIniStrW(w.c_str(), L"b", L"new", L"added"), 1);
  ASSERT_EQ(WriteIniNumW(w.c_str(), L"d", L"n", 5), 1);
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"a", L"x"), L"1");
  EXPECT_EQ(wstring(GetIniStrW(w.c_str(), L"a", L"y")), wide(u8"表"));
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"b", L"z"), L"changed");
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"b", L"new"), L"added");
  EXPECT_EQ(wstring(GetIniStrW(w.c_str(), L"c", wide(u8"名").c_str())), wide(u8"値"));
  EXPECT_EQ(GetIniNumW(w.c_str(), L"d", L"n"), 5);
  ASSERT_EQ(ReadSectionNamesW(w.c_str()), 4);
  EXPECT_EQ(read_bytes(file).substr(0, 2), "\xFF\xFE");  // still UTF-16LE
  EXPECT_NE(read_bytes(file).find(string(";\0 \0c\0o\0m\0", 10)), string::npos);  // the comment stays
}

TEST(IniWrite, RefusedFilesAreNeverTouched) {
  const string ansi = sjis(u8"[設定]\r\na=1\r\n\r\n[b]\r\n");
  const string utf8 = "\xEF\xBB\xBF[s]\r\nn=5\r\n";
  write_bytes(path("ansi.ini"), ansi);
  write_bytes(path("utf8.ini"), utf8);
  EXPECT_EQ(WriteIniNumW(wpath("ansi.ini").c_str(), wide(u8"設定").c_str(), L"a", 2), -1);
  EXPECT_EQ(WriteIniStrW(wpath("ansi.ini").c_str(), L"new", L"k", L"v"), -1);
  EXPECT_EQ(WriteIniNumW(wpath("utf8.ini").c_str(), L"s", L"n", 6), -1);
  EXPECT_EQ(read_bytes(path("ansi.ini")), ansi);
  EXPECT_EQ(read_bytes(path("utf8.ini")), utf8);
  EXPECT_EQ(WriteIniStrW((L".\\" + wstring(kDir.begin(), kDir.end() - 1)).c_str(), L"s", L"k", L"v"), -1);  // a folder
}

// ExistKey and ExistKeyW find the first entry that the shell's StrCmpNI finds
// equal to the key and "=" (asked here directly, on the entries as the
// profile function hands them over), whichever entries the library itself
// rules out first: starts of letters and digits shared, case, punctuation,
// double-byte and full-width characters.
TEST(IniLookups, ExistKeyAgreesWithTheShellsComparison) {
  const std::u8string keys[] = {u8"key1", u8"KEY12", u8"key126", u8"key1265", u8"Key2", u8"k-ey", u8"k.e", u8"a_b",
                                u8"A_B2", u8"x1", u8"X1y", u8"ｋｅｙ", u8"キー", u8"key 1", u8"1key", u8"01", u8"1", u8"10",
                                u8"ア", u8"Ａ9"};
  const std::u8string queries[] = {u8"KEY1265", u8"key", u8"k", u8"key12650", u8"a_B", u8"x", u8"ＫＥＹ", u8"key 1",
                                   u8"KEy2", u8"k-EY", u8"K.E", u8"1", u8"0", u8"ｱ", u8"ａ9", u8"A9", u8"key12"};
  const HMODULE shell = LoadLibraryA("shlwapi.dll");
  ASSERT_NE(shell, nullptr);
  const auto cmp_a = reinterpret_cast<int(WINAPI*)(const char*, const char*, int)>(reinterpret_cast<void*>(GetProcAddress(shell, "StrCmpNIA")));
  const auto cmp_w =
      reinterpret_cast<int(WINAPI*)(const wchar_t*, const wchar_t*, int)>(reinterpret_cast<void*>(GetProcAddress(shell, "StrCmpNIW")));
  ASSERT_TRUE(cmp_a && cmp_w);
  std::u8string text = u8"[s]\r\n";
  for (std::size_t i = 0; i < std::size(keys); ++i) text += keys[i] + u8"=" + std::u8string(1, char8_t('a' + i)) + u8"\r\n";
  const string narrow = path("shell_keys.ini"), wide_file = path("shell_keys_w.ini");
  write_bytes(narrow, sjis(text.c_str()));
  write_bytes(wide_file, utf16le_file(text.c_str()));
  ASSERT_EQ(ReadSectionKeys(narrow.c_str(), "s"), static_cast<intptr_t>(std::size(keys)));
  ASSERT_EQ(ReadSectionKeysW(wpath("shell_keys_w.ini").c_str(), L"s"), static_cast<intptr_t>(std::size(keys)));
  static char store[4096];
  static wchar_t store_w[4096];
  GetPrivateProfileSectionA("s", store, sizeof store, narrow.c_str());
  GetPrivateProfileSectionW(L"s", store_w, 4096, wpath("shell_keys_w.ini").c_str());
  std::vector<std::u8string> all(std::begin(queries), std::end(queries));
  all.insert(all.end(), std::begin(keys), std::end(keys));
  for (const auto& q : all) {
    const string key = sjis(q.c_str()), search = key + "=";
    const wstring key_w = wide(q.c_str()), search_w = key_w + L"=";
    intptr_t expected = -1, expected_w = -1, i = 0;
    for (const char* e = store; *e && expected < 0; e += std::strlen(e) + 1, ++i)
      if (cmp_a(e, search.c_str(), static_cast<int>(search.size())) == 0) expected = i;
    i = 0;
    for (const wchar_t* e = store_w; *e && expected_w < 0; e += std::wcslen(e) + 1, ++i)
      if (cmp_w(e, search_w.c_str(), static_cast<int>(search_w.size())) == 0) expected_w = i;
    EXPECT_EQ(ExistKey(key.c_str()), expected) << utf8_of_sjis(key);
    EXPECT_EQ(ExistKeyW(key_w.c_str()), expected_w) << utf8_of_sjis(key);
  }
}

// A section as large as the profile functions read: every entry loads, the
// last one is found. (Its cost beside the bare profile call is in
// bench/wine_bench.cpp.)
TEST(Ini, LargeSection) {
  string text = "[big]\r\n";
  int keys = 0;
  for (; text.size() < 32000 - 40; ++keys) text += "key" + std::to_string(keys) + "=value number " + std::to_string(keys + 1) + "\r\n";
  write_bytes(path("big.ini"), text);
  EXPECT_EQ(ReadSectionKeys(path("big.ini").c_str(), "big"), keys);
  EXPECT_EQ(ExistKey(("key" + std::to_string(keys - 1)).c_str()), keys - 1);
}

}  // namespace
