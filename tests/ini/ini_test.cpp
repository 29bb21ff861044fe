// INI profiles through the DLL under Wine, on files written byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "exports/api.h"
#include "text.h"

namespace {

using std::string;
using std::wstring;

const string kDir = "ini-test\\";

string path(const string& name) { return kDir + name; }
wstring wpath(const string& name) { return wstring(kDir.begin(), kDir.end()) + wstring(name.begin(), name.end()); }

void write_bytes(const string& file, const string& bytes) {
  CreateDirectoryA(kDir.c_str(), nullptr);
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

string read_bytes(const string& file) {
  std::ifstream in(file, std::ios::binary);
  return string(std::istreambuf_iterator<char>(in), {});
}

// UTF-16LE bytes with the FF FE mark.
string utf16le_file(const char8_t* utf8) {
  const std::u16string text = utf16(utf8);
  string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// Before anything is loaded (this test runs first in this executable).
TEST(IniBeforeAnyLoad, ListsAndCursorsAreEmpty) {
  EXPECT_EQ(ExistKey("a"), -2);
  EXPECT_EQ(ExistKeyW(L"a"), -2);
  EXPECT_EQ(ExistSection("a"), -2);
  EXPECT_EQ(NextKey(), 0);
  EXPECT_EQ(NextSectionW(), 0);
  EXPECT_NE(GetSection(), GetResult());
  EXPECT_NE(GetIniKeyW(), GetResultW());
  EXPECT_NE(GetKeyValue(0), GetResult());
}

const string kNarrowIni = sjis(
    u8"[設定]\r\n"
    u8"a=1\r\n"
    u8"note\r\n"
    u8"b=2\r\n"
    u8"表=値\t注釈\r\n"
    u8"ab=9\r\n"
    u8"key =spaced\r\n"
    u8"tail=value\t\r\n"
    u8"empty=\r\n"
    u8"full=値　\r\n"
    u8"[アイテム]\r\n"
    u8"x=1\r\n"
    u8"[only notes]\r\n"
    u8"one\r\n"
    u8"two\r\n");

TEST(IniNarrow, LookupsInAShiftJisSection) {
  const string file = path("narrow.ini");
  write_bytes(file, kNarrowIni);
  // Entries without "=" get no index.
  ASSERT_EQ(ReadSectionKeys(file.c_str(), sjis(u8"設定").c_str()), 8);
  EXPECT_EQ(ExistKey("A"), 0);   // ignoring case
  EXPECT_EQ(ExistKey("b"), 1);
  EXPECT_EQ(ExistKey(sjis(u8"表").c_str()), 2);  // 表's trail byte is a backslash
  EXPECT_EQ(ExistKey("ab"), 3);  // a= does not match ab=
  EXPECT_EQ(ExistKey("note"), -1);
  EXPECT_EQ(ExistKey(""), -1);
  EXPECT_EQ(ExistKey(string(300, 'k').c_str()), -1);  // long keys are searched, not cut
  EXPECT_STREQ(GetKeyValue(0), "1");
  EXPECT_EQ(utf8_of_sjis(GetKeyValue(2)), reinterpret_cast<const char*>(u8"値"));  // cut at the TAB
  EXPECT_STREQ(GetKeyValue(-1), "");
  EXPECT_NE(GetKeyValue(-1), GetResult());
  EXPECT_NE(GetKeyValue(8), GetResult());      // one past the last index
  EXPECT_STREQ(GetKeyValue(5), "value");        // "tail=value" and a TAB
  EXPECT_NE(GetKeyValue(6), GetResult());       // "empty=" gives the empty result
  EXPECT_EQ(utf8_of_sjis(GetKeyValue(7)), reinterpret_cast<const char*>(u8"値"));  // the full-width space goes
}

TEST(IniNarrow, ValueRulesOnWhatTheProfileFunctionReturns) {
  const string file = path("values.ini");
  write_bytes(file, "[v]\r\nlead=  value  \r\ntab=value\tnote\r\n");
  ASSERT_EQ(ReadSectionKeys(file.c_str(), "v"), 2);
  // The library's rule: leading spaces stay, trailing ones go, a TAB ends it,
  // applied to the entry as the profile function hands it over. Wine's
  // GetPrivateProfileSectionA drops the spaces around "=" (the line
  // "lead=  value  " comes back as "lead=value"), so here the rule sees none.
  const string raw = GetIniKeyData();
  ASSERT_EQ(raw.substr(0, 5), "lead=");
  string expected = raw.substr(5);
  expected.erase(expected.find_last_not_of(' ') + 1);
  EXPECT_EQ(string(GetKeyValue(0)), expected);
  EXPECT_EQ(expected.substr(expected.size() - 5), "value");
  EXPECT_STREQ(GetKeyValue(1), "value");

  // ExistKey matches the entry as handed over too: a space before "=" keeps
  // "key =1" from matching "key", unless the profile function drops it (Wine
  // hands over "key=1").
  write_bytes(file, "[v]\r\nkey =1\r\n");
  ASSERT_EQ(ReadSectionKeys(file.c_str(), "v"), 1);
  const bool space_kept = string(GetIniKeyData()) == "key =1";
  EXPECT_EQ(ExistKey("key"), space_kept ? -1 : 0);
  EXPECT_EQ(ExistKey("key "), space_kept ? 0 : -1);
}

TEST(IniNarrow, MissingSectionsAndSectionNames) {
  const string file = path("narrow.ini");
  write_bytes(file, kNarrowIni);
  ASSERT_EQ(ReadSectionKeys(file.c_str(), sjis(u8"設定").c_str()), 8);
  EXPECT_EQ(ReadSectionKeys(file.c_str(), "missing"), -1);
  EXPECT_EQ(ExistKey("a"), -2);
  EXPECT_EQ(NextKey(), 0);
  EXPECT_EQ(ReadSectionKeys("", "x"), -1);
  // A section with no "=" at all: nothing indexed, but the cursor walks it.
  EXPECT_EQ(ReadSectionKeys(file.c_str(), "only notes"), 0);
  EXPECT_EQ(ExistKey("one"), -2);
  EXPECT_STREQ(GetIniKey(), "one");
  EXPECT_EQ(NextKey(), 1);
  EXPECT_STREQ(GetIniKey(), "two");
  EXPECT_EQ(NextKey(), 0);

  ASSERT_EQ(ReadSectionNames(file.c_str()), 3);
  EXPECT_EQ(ExistSection(sjis(u8"アイテム").c_str()), 1);
  EXPECT_EQ(ExistSection("ONLY NOTES"), 2);
  EXPECT_EQ(ExistSection("only"), -1);
  EXPECT_EQ(utf8_of_sjis(GetSectionName(0)), reinterpret_cast<const char*>(u8"設定"));
  EXPECT_NE(GetSectionName(3), GetResult());
  EXPECT_EQ(ReadSectionNames(path("missing.ini").c_str()), -1);
  EXPECT_EQ(ExistSection("x"), -2);
}

TEST(IniCursors, WalkEveryStringOfTheSection) {
  const string file = path("cursor.ini");
  write_bytes(file, "[s]\r\na=1\r\nnote\r\nb=2\r\nk=v\tremark\r\n[t]\r\n[u]\r\n");
  ASSERT_EQ(ReadSectionKeys(file.c_str(), "s"), 3);
  EXPECT_EQ(ExistKey("b"), 1);  // index 1, though it is the third string
  EXPECT_STREQ(GetIniKey(), "a");
  EXPECT_STREQ(GetIniKeyValue(), "1");
  EXPECT_EQ(NextKey(), 1);
  EXPECT_STREQ(GetIniKey(), "note");
  EXPECT_STREQ(GetIniKeyValue(), "note");
  EXPECT_EQ(NextKey(), 1);
  EXPECT_STREQ(GetIniKeyData(), "b=2");
  EXPECT_EQ(NextKey(), 1);
  EXPECT_STREQ(GetIniKeyData(), "k=v");
  EXPECT_STREQ(GetIniKeyValue(), "v");
  EXPECT_EQ(NextKey(), 0);
  EXPECT_NE(GetIniKey(), GetResult());
  EXPECT_EQ(NextKey(), 0);

  ASSERT_EQ(ReadSectionNames(file.c_str()), 3);
  EXPECT_STREQ(GetSection(), "s");
  EXPECT_EQ(NextSection(), 1);
  EXPECT_EQ(NextSection(), 1);
  EXPECT_STREQ(GetSection(), "u");
  EXPECT_EQ(NextSection(), 0);
  EXPECT_NE(GetSection(), GetResult());
}

const string kWideIni = utf16le_file(
    u8"[設定]\r\n"
    u8"a=1\r\n"
    u8"note\r\n"
    u8"名前=秀丸\t注\r\n"
    u8"n=42\r\n"
    u8"big=4294967295\r\n"
    u8"[second]\r\n"
    u8"z=last\r\n");

TEST(IniWide, LookupsInAUtf16File) {
  const string file = path("wide.ini");
  write_bytes(file, kWideIni);
  const wstring w = wpath("wide.ini");
  ASSERT_EQ(ReadSectionKeysW(w.c_str(), wide(u8"設定").c_str()), 4);
  EXPECT_EQ(ExistKeyW(wide(u8"名前").c_str()), 1);
  EXPECT_EQ(ExistKeyW(L"A"), 0);
  EXPECT_EQ(wstring(GetKeyValueW(1)), wide(u8"秀丸"));
  EXPECT_EQ(GetIniNumW(w.c_str(), wide(u8"設定").c_str(), L"n"), 42);
  EXPECT_EQ(GetIniNumW(w.c_str(), wide(u8"設定").c_str(), L"big"), 4294967295LL);  // never negative
  EXPECT_EQ(GetIniNumW(w.c_str(), L"second", L"missing"), 0);
  EXPECT_STREQ(GetIniStrW(w.c_str(), L"second", L"z"), L"last");
  EXPECT_NE(GetIniStrW(w.c_str(), L"second", L"nope"), GetResultW());
  ASSERT_EQ(ReadSectionNamesW(w.c_str()), 2);
  EXPECT_EQ(ExistSectionW(L"SECOND"), 1);
  EXPECT_STREQ(GetSectionNameW(1), L"second");
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
  EXPECT_EQ(ReadSectionKeysW(wstring(kDir.begin(), kDir.end() - 1).c_str(), L"s"), -1);  // a directory
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

TEST(IniProbe, ByteOrderMarks) {
  write_bytes(path("utf16.ini"), "\xFF\xFE[");
  write_bytes(path("utf8bom.ini"), "\xEF\xBB\xBFx");
  write_bytes(path("one.ini"), "\xFF");
  write_bytes(path("plain.ini"), "[s]");
  EXPECT_EQ(IsUTF16LE(wpath("utf16.ini").c_str()), 1);
  EXPECT_EQ(IsUTF16LE(wpath("utf8bom.ini").c_str()), 2);
  EXPECT_EQ(IsBOM(wpath("utf8bom.ini").c_str()), 2);
  EXPECT_EQ(IsUTF16LE(wpath("one.ini").c_str()), 0);
  EXPECT_EQ(IsUTF16LE(wpath("plain.ini").c_str()), 0);
  EXPECT_EQ(IsUTF16LE(wpath("missing.ini").c_str()), 0);
  EXPECT_EQ(IsUTF16LE(L""), 0);
  EXPECT_EQ(IsBOM(nullptr), 0);
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
  EXPECT_EQ(WriteIniStrW(wstring(kDir.begin(), kDir.end() - 1).c_str(), L"s", L"k", L"v"), -1);  // a folder
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
  const auto cmp_a = reinterpret_cast<int(WINAPI*)(const char*, const char*, int)>(GetProcAddress(shell, "StrCmpNIA"));
  const auto cmp_w =
      reinterpret_cast<int(WINAPI*)(const wchar_t*, const wchar_t*, int)>(GetProcAddress(shell, "StrCmpNIW"));
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

TEST(IniSpeed, LoadingALargeSectionBesideTheBareProfileCall) {
  string text = "[big]\r\n";
  int keys = 0;
  for (; text.size() < 32000 - 40; ++keys) text += "key" + std::to_string(keys) + "=value number " + std::to_string(keys + 1) + "\r\n";
  write_bytes(path("big.ini"), text);
  const string file = path("big.ini");
  const string last = "key" + std::to_string(keys - 1);
  static char store[32767];
  // The three steps alternate round by round, so that a change in the
  // machine's load falls on all of them; medians of the rounds.
  constexpr int kRounds = 101;
  using clock = std::chrono::steady_clock;
  std::vector<double> bare, load, lookup;
  intptr_t loaded = -1, found = -1;
  const auto micros = [](clock::time_point a, clock::time_point b) {
    return std::chrono::duration<double, std::micro>(b - a).count();
  };
  for (int i = 0; i < kRounds; ++i) {
    // Which goes first alternates too: the first profile call of a round pays more.
    if (i % 2) {
      const auto t0 = clock::now();
      GetPrivateProfileSectionA("big", store, sizeof store, file.c_str());
      bare.push_back(micros(t0, clock::now()));
    }
    const auto t1 = clock::now();
    loaded = ReadSectionKeys(file.c_str(), "big");
    const auto t2 = clock::now();
    found = ExistKey(last.c_str());
    const auto t3 = clock::now();
    load.push_back(micros(t1, t2));
    lookup.push_back(micros(t2, t3));
    if (i % 2 == 0) {
      const auto t0 = clock::now();
      GetPrivateProfileSectionA("big", store, sizeof store, file.c_str());
      bare.push_back(micros(t0, clock::now()));
    }
  }
  EXPECT_EQ(loaded, keys);
  EXPECT_EQ(found, keys - 1);
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  const double b = median(bare), l = median(load), k = median(lookup);
  std::printf("[ speed    ] %d keys, %zu bytes: bare GetPrivateProfileSectionA %.1f us, ReadSectionKeys %.1f us, "
              "ExistKey(last) %.1f us, ratio %.2f\n", keys, text.size(), b, l, k, (l + k) / b);
  EXPECT_LT((l + k) / b, 5.0);  // loose: a timing, not a verdict; the ratio is printed above
}

}  // namespace
