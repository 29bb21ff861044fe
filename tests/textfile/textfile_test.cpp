// The ten text-file slots through the DLL under Wine: the bytes on disk in
// every mode, the error word, and what module stop leaves behind.
#include <malloc.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "exports/api.h"
#include "heap_check.h"
#include "text.h"
#include "programs.h"

namespace {

using std::string;
using std::wstring;

string in_dir(const string& name) {
  CreateDirectoryA("textfile-test", nullptr);
  return "textfile-test\\" + name;
}
wstring win_dir(const string& name) {
  const string p = in_dir(name);
  return wstring(p.begin(), p.end());
}
string bytes_of(const string& file) {
  std::ifstream in(file, std::ios::binary);
  return string(std::istreambuf_iterator<char>(in), {});
}
void put_bytes(const string& file, const string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// Each row: a call, its expected result, then the error word it left (a
// braced list is evaluated in order).
struct Call { intptr_t got, expected, error, expected_error; };
void check(const Call* calls, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(calls[i].got, calls[i].expected) << "call " << i;
    EXPECT_EQ(calls[i].error, calls[i].expected_error) << "call " << i;
  }
}

TEST(Slots, NeverOpenedAndInvalidHandles) {  // runs first: no slot opened yet
  const Call calls[] = {
      {IsEncode(4), 0, FileError(), 2},         {IsEncode(0), -1, FileError(), 16},
      {IsOpen(0), 0, FileError(), 16},          {IsOpen(11), 0, FileError(), 16},
      {FileClose(0), 1, FileError(), 16},  // FileClose leaves the error word alone
      {IsEof(3), 0, FileError(), 2},            {RdFile(5) == GetResult(), 0, FileError(), 2},
      {WrFile(12, "x"), 0, FileError(), 16},
  };
  check(calls, std::size(calls));
}

TEST(Slots, TenAtOnceAndTheLowestFreeSlot) {
  intptr_t handles[10];
  for (int i = 0; i < 10; ++i) {
    handles[i] = FileOpen(in_dir("slot" + std::to_string(i) + ".txt").c_str(), "w");
    ASSERT_EQ(handles[i], i + 1);
  }
  const string eleventh = in_dir("eleventh.txt");
  EXPECT_EQ(FileOpen(eleventh.c_str(), "w"), 0);
  EXPECT_EQ(FileError(), 2);
  EXPECT_TRUE(DeleteFileA(eleventh.c_str()));  // its stream was closed again
  EXPECT_EQ(FileClose(3), 1);
  EXPECT_EQ(IsOpen(3), 0);
  EXPECT_EQ(IsEncode(3), 1);  // a closed slot keeps code 1
  EXPECT_EQ(FileOpen(in_dir("again.txt").c_str(), "w"), 3);
  // Both ends of the slots are real slots, one past is none.
  for (intptr_t end : {1, 10}) {
    EXPECT_EQ(IsOpen(end), 1) << end;
    EXPECT_EQ(IsEncode(end), 1) << end;
    EXPECT_EQ(WrFile(end, "end"), 1) << end;
    EXPECT_EQ(FileClose(end), 1) << end;
    EXPECT_EQ(bytes_of(in_dir("slot" + std::to_string(end - 1) + ".txt")), "end") << end;
  }
  EXPECT_EQ(IsOpen(11), 0);
  EXPECT_EQ(FileError(), 16);
  for (int i = 1; i <= 10; ++i) FileClose(i);
  EXPECT_EQ(IsOpen(3), 0);
}

TEST(Slots, EveryModeFlagTheRuntimeKnowsAndNoOther) {
  const string file = in_dir("flags.txt");
  // What each flag shows in the bytes: the text written over "abc" with
  // WrFileLine("x"), and whether the file is left after close.
  struct Case { const char* mode; string after; bool kept; } cases[] = {
      {"w", "x\r\n", true},   {"wt", "x\r\n", true},  {"wb", "x\n", true},  {"a", "abcx\r\n", true},
      {"ab", "abcx\n", true}, {"r+", "x\r\n", true},  {"r+b", "x\nc", true}, {"w+", "x\r\n", true},
      {"a+", "abcx\r\n", true}, {"wc", "x\r\n", true}, {"wn", "x\r\n", true}, {"wN", "x\r\n", true},
      {"wS", "x\r\n", true}, {"wR", "x\r\n", true}, {"wT", "x\r\n", true}, {"wD", "", false},
      {"r", "abc", true},  // read only: the write fails
  };
  for (const auto& c : cases) {
    put_bytes(file, "abc");
    const intptr_t h = FileOpen(file.c_str(), c.mode);
    ASSERT_GT(h, 0) << c.mode;
    EXPECT_EQ(WrFileLine(h, "x"), c.mode[0] == 'r' && !c.mode[1] ? 0 : 1) << c.mode;
    FileClose(h);
    EXPECT_EQ(GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES, c.kept) << c.mode;
    EXPECT_EQ(hex(bytes_of(file)), hex(c.after)) << c.mode;  // a missing file reads as no bytes
  }
  // Modes the C runtime would end the process on are refused first.
  for (const char* refused : {"", "x", "q", "rw", "wx", "we", "wU", "w+q", "r,ccs=UNICODE", "w, ccs=UTF-8"}) {
    EXPECT_EQ(FileOpen(file.c_str(), refused), 0) << refused;
    EXPECT_EQ(FileError(), 16) << refused;
  }
}

TEST(Slots, ArgumentsThatAreRefused) {
  const string gone = in_dir("gone.txt");
  put_bytes(gone, "x");
  const Call calls[] = {
      {FileOpen("", "r"), 0, FileError(), 16}, {FileOpen(in_dir("x.txt").c_str(), nullptr), 0, FileError(), 16},
      // The composed mode would not fit 100 code units.
      {FileOpenW(win_dir("x.txt").c_str(), (L"w" + wstring(100, L'b')).c_str(), L"UTF8"), 0, FileError(), 16},
      {FileOpen(in_dir("missing\\x.txt").c_str(), "r"), 0, FileError(), 2},
      {FileDelete(""), 0, FileError(), 2 | 128},  // added, not cleared
      {FileDelete(gone.c_str()), 1, 0, 0}, {FileDelete(gone.c_str()), 0, 0, 0},
  };
  check(calls, std::size(calls));
}

TEST(ByteFiles, LinesAndBlocks) {
  const string file = in_dir("lines.txt");
  intptr_t h = FileOpen(file.c_str(), "w");
  ASSERT_GT(h, 0);
  EXPECT_EQ(WrFileLine(h, sjis(u8"一行目").c_str()), 1);
  EXPECT_EQ(WrFileLine(h, "two\n"), 1);  // already ends in a line feed
  EXPECT_EQ(WrFileLine(h, ""), 1);        // one line feed
  EXPECT_EQ(WrFile(h, "end"), 1);
  FileClose(h);
  EXPECT_EQ(bytes_of(file), sjis(u8"一行目") + "\r\ntwo\r\n\r\nend");

  h = FileOpen(file.c_str(), "r");
  EXPECT_EQ(utf8_of_sjis(RdFileLine(h)), reinterpret_cast<const char*>(u8"一行目"));
  EXPECT_STREQ(RdFile(h), "two\n");
  EXPECT_STREQ(RdFile2(h), "");
  EXPECT_STREQ(RdFile(h), "end");
  EXPECT_EQ(IsEof(h), 1);
  const char* after = RdFileLine(h);
  EXPECT_NE(after, GetResult());
  EXPECT_EQ(FileError(), 8);
  FileClose(h);

  // Binary mode keeps the carriage return.
  h = FileOpen(file.c_str(), "rb");
  EXPECT_EQ(hex(RdFileLine(h)), hex(sjis(u8"一行目") + "\r"));
  FileClose(h);

  put_bytes(file, "abcd");
  h = FileOpen(file.c_str(), "rb");
  EXPECT_STREQ(RdFileByte(h, 2), "ab");
  EXPECT_EQ(FileError(), 0);
  EXPECT_STREQ(RdFileByte(h, 10), "cd");
  EXPECT_EQ(FileError(), 8);
  EXPECT_STREQ(RdFileByte(h, 0), "");
  EXPECT_EQ(RdFileByte(h, 1000000), RdFileByte(h, -1));
  EXPECT_EQ(FileError(), 16);
  EXPECT_STREQ(RdFileByte(h, 1000000), "");
  FileClose(h);

  // Counts at the edges of the result buffer's block as it stands.
  string big;
  for (int i = 0; big.size() < 200000; ++i) big += std::to_string(i) + ",";
  put_bytes(file, big);
  h = FileOpen(file.c_str(), "rb");
  std::size_t at = 0;
  for (int over : {0, 1, 2}) {
    const std::size_t n = _msize(const_cast<char*>(GetResult())) - 1 + over;
    EXPECT_EQ(string(RdFileByte(h, static_cast<intptr_t>(n))), big.substr(at, n)) << over;
    EXPECT_TRUE(heaps_intact()) << over;
    at += n;
  }
  FileClose(h);
}

TEST(EncodedFiles, TheBytesOnDisk) {
  struct Case { const wchar_t* encoding; const wchar_t* mode; string expected; intptr_t code; } cases[] = {
      {L"UTF8BOM", L"w", "\xEF\xBB\xBF" "a\r\n\xE6\x97\xA5", 3}, {L"utf-8", L"w", "a\r\n\xE6\x97\xA5", 2},
      {L"UTF16LE", L"w", string("\xFF\xFE" "a\0\r\0\n\0\xE5\x65", 10), 4},
      {L"unicode", L"wb", string("\xFF\xFE" "a\0\n\0\xE5\x65", 8), 4},
  };
  for (const auto& c : cases) {
    const string file = in_dir("enc.txt");
    const intptr_t h = FileOpenW(win_dir("enc.txt").c_str(), c.mode, c.encoding);
    ASSERT_GT(h, 0);
    EXPECT_EQ(IsEncode(h), c.code);
    EXPECT_EQ(WrFileLineW(h, L"a"), 1);
    EXPECT_EQ(WrFileW(h, L"\u65E5"), 1);
    FileClose(h);
    EXPECT_EQ(hex(bytes_of(file)), hex(c.expected)) << c.code;
    // And read back, the mark skipped.
    const intptr_t r = FileOpenW(win_dir("enc.txt").c_str(), L"r", c.encoding);
    EXPECT_STREQ(RdFileLineW(r), L"a");
    EXPECT_STREQ(RdFileW(r), L"\u65E5");
    EXPECT_NE(RdFileW(r), GetResultW());
    EXPECT_EQ(FileError(), 8);
    FileClose(r);
  }
}

TEST(EncodedFiles, Utf8WithoutMarkAndFewerThanThreeBytes) {
  const string file = in_dir("short.txt");
  intptr_t h = FileOpenW(win_dir("short.txt").c_str(), L"w", L"UTF8");
  EXPECT_EQ(WrFileW(h, L"x"), 1);
  FileClose(h);
  EXPECT_EQ(hex(bytes_of(file)), hex("x"));  // not x BB BF
  h = FileOpenW(win_dir("short.txt").c_str(), L"w", L"UTF8");
  FileClose(h);
  EXPECT_EQ(bytes_of(file), "");
  // Appending to a missing file keeps the mark.
  DeleteFileA(file.c_str());
  h = FileOpenW(win_dir("short.txt").c_str(), L"a", L"UTF8");
  EXPECT_EQ(WrFileW(h, L"abc"), 1);
  FileClose(h);
  EXPECT_EQ(hex(bytes_of(file)), hex("\xEF\xBB\xBF" "abc"));
}

TEST(EncodedFiles, OtherNamesAndNarrowCallsOnEncodedSlots) {
  const string file = in_dir("plain.txt");
  intptr_t h = FileOpenW(win_dir("plain.txt").c_str(), L"w", L"shift_jis");
  ASSERT_GT(h, 0);
  EXPECT_EQ(IsEncode(h), 0);
  EXPECT_EQ(FileError(), 2);
  EXPECT_EQ(WrFileW(h, L"\u8868"), 1);  // 表, in code page 932 under the "japanese" locale
  FileClose(h);
  EXPECT_EQ(bytes_of(file), sjis(u8"表"));

  h = FileOpenW(win_dir("enc16.txt").c_str(), L"w", L"UTF16LE");
  EXPECT_EQ(WrFile(h, "bytes"), 0);
  EXPECT_EQ(FileError(), 32);
  EXPECT_EQ(WrFileLine(h, "bytes"), 0);
  FileClose(h);
  h = FileOpenW(win_dir("enc16.txt").c_str(), L"r", L"UTF16LE");
  EXPECT_NE(RdFile(h), GetResult());
  EXPECT_EQ(FileError(), 4);
  EXPECT_NE(RdFileByte(h, 2), GetResult());
  EXPECT_EQ(FileError(), 4);
  EXPECT_EQ(IsOpen(h), 1);  // a refused call leaves the slot open
  FileClose(h);

  // Byte handles take wide reads and writes in code page 932.
  h = FileOpen(file.c_str(), "r");
  EXPECT_STREQ(RdFileLineW(h), L"\u8868");
  FileClose(h);
}

// A copy of the DLL, loaded and unloaded here, is a second instance with its
// own slots: what its macro wrote and never closed must be on disk after.
TEST(ModuleStop, ClosesEveryOpenSlot) {
  char self[MAX_PATH];
  GetModuleFileNameA(GetModuleHandleA("lorimax.dll"), self, MAX_PATH);
  ASSERT_TRUE(CopyFileA(self, "lorimax-unload.dll", FALSE));
  HMODULE copy = LoadLibraryA("lorimax-unload.dll");
  ASSERT_NE(copy, nullptr);
  auto open = reinterpret_cast<decltype(&FileOpen)>(reinterpret_cast<void*>(GetProcAddress(copy, "FileOpen")));
  auto open_w = reinterpret_cast<decltype(&FileOpenW)>(reinterpret_cast<void*>(GetProcAddress(copy, "FileOpenW")));
  auto write = reinterpret_cast<decltype(&WrFileLine)>(reinterpret_cast<void*>(GetProcAddress(copy, "WrFileLine")));
  auto write_w = reinterpret_cast<decltype(&WrFileW)>(reinterpret_cast<void*>(GetProcAddress(copy, "WrFileW")));
  const string bytes_file = in_dir("unclosed.txt"), utf8_file = in_dir("unclosed8.txt");
  const intptr_t h = open(bytes_file.c_str(), "w");
  string big;
  for (int i = 0; i < 2000; ++i) big += "line " + std::to_string(i) + "\n";
  EXPECT_EQ(write(h, big.c_str()), 1);
  const intptr_t u = open_w(win_dir("unclosed8.txt").c_str(), L"w", L"UTF8");
  EXPECT_EQ(write_w(u, L"z"), 1);
  ASSERT_TRUE(FreeLibrary(copy));
  string expected;
  for (int i = 0; i < 2000; ++i) expected += "line " + std::to_string(i) + "\r\n";
  EXPECT_EQ(bytes_of(bytes_file), expected);
  EXPECT_EQ(bytes_of(utf8_file), "z");
  DeleteFileA("lorimax-unload.dll");
}

TEST(ModuleStop, AtProcessExitTheFilesAreCompleteToo) {
  const string file = in_dir("at-exit.txt");
  DeleteFileA(file.c_str());
  DeleteFileA("exit-utf8.txt");
  string command = "exit_without_close.exe " + file;
  EXPECT_EQ(run_to_exit(command), 0u);
  EXPECT_EQ(bytes_of(file), "written before exit, never closed");
  EXPECT_EQ(bytes_of("exit-utf8.txt"), "z");
  DeleteFileA("exit-utf8.txt");
}

}  // namespace
