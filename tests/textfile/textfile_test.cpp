// The ten text-file slots through the DLL under Wine: the bytes on disk in
// every mode, the error word, and what module stop leaves behind.
#include <malloc.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "exports/api.h"
#include "frame/contract.h"
#include "textfile/textfile.h"
#include "files.h"
#include "heap_check.h"
#include "text.h"
#include "programs.h"

namespace {

// The error word's bits, named as the library names them.
using lmx::textfile::open_failed, lmx::textfile::read_error, lmx::textfile::end_of_file,
    lmx::textfile::invalid_argument, lmx::textfile::write_failed, lmx::textfile::delete_empty_path;

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

TEST(Slots, TenAtOnceAndTheLowestFreeSlot) {
  intptr_t handles[lmx::kSlotCount];
  for (int i = 0; i < lmx::kSlotCount; ++i) {
    handles[i] = FileOpen(in_dir("slot" + std::to_string(i) + ".txt").c_str(), "w");
    ASSERT_EQ(handles[i], i + 1);
  }
  const string eleventh = in_dir("eleventh.txt");
  DeleteFileA(eleventh.c_str());
  EXPECT_EQ(FileOpen(eleventh.c_str(), "w"), 0);
  EXPECT_EQ(FileError(), open_failed);
  EXPECT_EQ(GetFileAttributesA(eleventh.c_str()), INVALID_FILE_ATTRIBUTES);  // never created
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
    EXPECT_EQ(read_bytes(in_dir("slot" + std::to_string(end - 1) + ".txt")), "end") << end;
  }
  EXPECT_EQ(IsOpen(11), 0);
  EXPECT_EQ(FileError(), invalid_argument);
  for (int i = 1; i <= lmx::kSlotCount; ++i) FileClose(i);
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
    write_bytes(file, "abc");
    const intptr_t h = FileOpen(file.c_str(), c.mode);
    ASSERT_GT(h, 0) << c.mode;
    EXPECT_EQ(WrFileLine(h, "x"), c.mode[0] == 'r' && !c.mode[1] ? 0 : 1) << c.mode;
    FileClose(h);
    EXPECT_EQ(GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES, c.kept) << c.mode;
    EXPECT_EQ(hex(read_bytes(file)), hex(c.after)) << c.mode;  // a missing file reads as no bytes
  }
  // Modes the C runtime would end the process on are refused first.
  for (const char* refused : {"", "x", "q", "rw", "wx", "we", "wU", "w+q", "r,ccs=UNICODE", "w, ccs=UTF-8", "wbt", "wtb",
                              "wbb", "w++", "r+b+", "wcn", "wcc", "wSR", "wTT", "wDD", "wNN"}) {
    EXPECT_EQ(FileOpen(file.c_str(), refused), 0) << refused;
    EXPECT_EQ(FileError(), invalid_argument) << refused;
  }
}

// Counts at the edges of the result buffer's block as it stands; the heaps
// are checked after each.
TEST(ByteFiles, CountsAtTheEdgesOfTheBlock) {
  const string file = in_dir("lines.txt");
  string big;
  for (int i = 0; big.size() < 200000; ++i) big += std::to_string(i) + ",";
  write_bytes(file, big);
  const intptr_t h = FileOpen(file.c_str(), "rb");
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
  // A name and a text outside code page 932 (a surrogate pair among them).
  const wstring file = win_dir("enc") + L"\u00E9\U0001F600.txt", text = L"\u65E5\u00E9\U0001F600";
  const string utf8 = "\xE6\x97\xA5\xC3\xA9\xF0\x9F\x98\x80", utf16("\xE5\x65\xE9\x00\x3D\xD8\x00\xDE", 8);
  struct Case { const wchar_t* encoding; const wchar_t* mode; string expected; intptr_t code; } cases[] = {
      {L"UTF8BOM", L"w", "\xEF\xBB\xBF" "a\r\n" + utf8, 3}, {L"utf-8", L"w", "a\r\n" + utf8, 2},
      {L"UTF16LE", L"w", string("\xFF\xFE" "a\0\r\0\n\0", 8) + utf16, 4},
      {L"unicode", L"wb", string("\xFF\xFE" "a\0\n\0", 6) + utf16, 4},
  };
  for (const auto& c : cases) {
    const intptr_t h = FileOpenW(file.c_str(), c.mode, c.encoding);
    ASSERT_GT(h, 0);
    EXPECT_EQ(IsEncode(h), c.code);
    EXPECT_EQ(WrFileLineW(h, L"a"), 1);
    EXPECT_EQ(WrFileW(h, text.c_str()), 1);
    FileClose(h);
    EXPECT_EQ(hex(read_bytes(file)), hex(c.expected)) << c.code;
    // And read back, the mark skipped.
    const intptr_t r = FileOpenW(file.c_str(), L"r", c.encoding);
    EXPECT_STREQ(RdFileLineW(r), L"a");
    EXPECT_EQ(wstring(RdFileW(r)), text);
    EXPECT_NE(RdFileW(r), GetResultW());
    EXPECT_EQ(FileError(), end_of_file);
    FileClose(r);
  }
}

}  // namespace

// Every export that creates, opens for writing, writes, converts into or
// deletes a file, against each way it can be refused or fail: the bytes of
// every file of a scratch tree (and of the one file a bare INI name reaches
// in the Windows folder) are compared before and after the call. A refused
// call changes nothing; a row lists what a call may change, and to what.
namespace {

using std::string;
using std::wstring;

// Absolute: some rows move the current directory.
wstring full_path(const wchar_t* name) {
  wchar_t full[MAX_PATH];
  GetFullPathNameW(name, MAX_PATH, full, nullptr);
  return full;
}
const wstring kRoot = full_path(L"untouched");
constexpr wchar_t kBareIni[] = L"lmx-untouched.ini";

wstring windows_folder_file(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetWindowsDirectoryW(folder, MAX_PATH);
  return wstring(folder) + L"\\" + name;
}

string read_all(const wstring& file) {
  const HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<unreadable>";
  string bytes;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n) bytes.append(buffer, n);
  CloseHandle(h);
  return bytes;
}

void write_all(const wstring& file, const string& bytes) {
  const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD n = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(h);
}

// Relative path -> bytes ("<folder>" for a folder), read-only files marked.
using Tree = std::map<wstring, string>;

void walk(const wstring& folder, const wstring& relative, Tree& tree) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const wstring full = folder + L"\\" + name, rel = relative + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      tree[rel] = "<folder>";
      walk(full, rel + L"\\", tree);
    } else {
      tree[rel] = read_all(full) + (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY ? "<read-only>" : "");
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

Tree snapshot() {
  Tree tree;
  walk(kRoot, L"", tree);
  const wstring bare = windows_folder_file(kBareIni);
  if (GetFileAttributesW(bare.c_str()) != INVALID_FILE_ATTRIBUTES) tree[L"%windir%\\" + wstring(kBareIni)] = read_all(bare);
  return tree;
}


const string kUtf16Ini("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22);
const string kAnsiIni = "[s]\r\nk=v\r\n";

// The same tree for every row: a plain file, a Shift_JIS text, INI files in
// both encodings, read-only twins, and a folder with a file of the same name
// as one at the top (for the current directory that moves).
void lay_tree() {
  remove_tree(kRoot);
  DeleteFileW(windows_folder_file(kBareIni).c_str());
  CreateDirectoryW(kRoot.c_str(), nullptr);
  CreateDirectoryW((kRoot + L"\\dir").c_str(), nullptr);
  CreateDirectoryW((kRoot + L"\\slots").c_str(), nullptr);
  write_all(kRoot + L"\\keep.txt", "keep me\r\n");
  write_all(kRoot + L"\\dir\\x.txt", "another x\r\n");
  write_all(kRoot + L"\\sjis.txt", sjis(u8"表示のテスト\r\n"));
  write_all(kRoot + L"\\wide.ini", kUtf16Ini);
  write_all(kRoot + L"\\ansi.ini", kAnsiIni);
  write_all(kRoot + L"\\ro.txt", "read only");
  write_all(kRoot + L"\\ro.ini", kUtf16Ini);
  for (const wchar_t* name : {L"\\ro.txt", L"\\ro.ini"}) SetFileAttributesW((kRoot + name).c_str(), FILE_ATTRIBUTE_READONLY);
}

string in_root(const char* name) { return string(kRoot.begin(), kRoot.end()) + "\\" + name; }
wstring in_root_w(const char* name) {
  const string s = in_root(name);
  return wstring(s.begin(), s.end());
}
const string kTooLong = in_root(string(40000, 'n').c_str());
const wstring kTooLongW(kTooLong.begin(), kTooLong.end());

// What a row holds open while its call runs, closed after it: a reader that
// lets other readers in and refuses writers.
std::vector<HANDLE> g_locks;
void lock(const char* name) {
  g_locks.push_back(CreateFileW(in_root_w(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}
void fill_slots() {
  for (int i = 0; i < lmx::kSlotCount; ++i) FileOpen(in_root(("slots\\" + std::to_string(i) + ".txt").c_str()).c_str(), "w");
}
void close_slots() {
  for (int h = 1; h <= lmx::kSlotCount; ++h) FileClose(h);
}

// The write under test on a handle just opened, then the close; FileClose
// leaves the error word as the write set it.
intptr_t write_then_close(intptr_t handle, intptr_t (*write)(intptr_t)) {
  const intptr_t r = write(handle);
  FileClose(handle);
  return r;
}

struct Row {
  const char* what;
  std::function<void()> setup;
  std::function<intptr_t()> call;
  intptr_t expected;
  intptr_t (*error)();  // the family's error word or code, when it has one
  intptr_t expected_error;
  Tree changed;  // files the call may change, and what they hold after it
};

TEST(Disk, FailedCallsLeaveEveryFileWhole) {
  ASSERT_EQ(nkf_load("NKF32.DLL"), 1);
  const auto none = [] {};
  const Row rows[] = {
      // The slots: FileOpen and FileOpenW.
      {"FileOpen, no free slot", fill_slots, [] { return FileOpen(in_root("keep.txt").c_str(), "w"); }, 0, FileError, 2, {}},
      {"FileOpenW, no free slot", fill_slots,
       [] { return FileOpenW(in_root_w("keep.txt").c_str(), L"w", L"UTF8"); }, 0, FileError, 2, {}},
      {"FileOpen, read-only file", none, [] { return FileOpen(in_root("ro.txt").c_str(), "w"); }, 0, FileError, 2, {}},
      {"FileOpenW, read-only file", none, [] { return FileOpenW(in_root_w("ro.txt").c_str(), L"a", L"UTF16LE"); }, 0,
       FileError, 2, {}},
      {"FileOpen, a folder", none, [] { return FileOpen(in_root("dir").c_str(), "w"); }, 0, FileError, 2, {}},
      {"FileOpenW, a folder", none, [] { return FileOpenW(in_root_w("dir").c_str(), L"w", L"UTF8BOM"); }, 0, FileError, 2, {}},
      {"FileOpen, locked", [] { lock("keep.txt"); }, [] { return FileOpen(in_root("keep.txt").c_str(), "w"); }, 0,
       FileError, 2, {}},
      {"FileOpenW, locked", [] { lock("keep.txt"); },
       [] { return FileOpenW(in_root_w("keep.txt").c_str(), L"w", L"UTF16LE"); }, 0, FileError, 2, {}},
      {"FileOpen, name too long", none, [] { return FileOpen(kTooLong.c_str(), "w"); }, 0, FileError, 16, {}},
      {"FileOpenW, name too long", none, [] { return FileOpenW(kTooLongW.c_str(), L"w", L"UTF8"); }, 0, FileError, 16, {}},
      {"FileOpen, missing folder", none, [] { return FileOpen(in_root("nodir\\new.txt").c_str(), "a"); }, 0, FileError, 2, {}},
      // Flags the C runtime of Windows refuses by ending the process.
      {"FileOpen, no free slot and a mode refused", fill_slots, [] { return FileOpen(in_root("keep.txt").c_str(), "wbt"); },
       0, FileError, 16, {}},
      {"FileOpen, wbt", none, [] { return FileOpen(in_root("keep.txt").c_str(), "wbt"); }, 0, FileError, 16, {}},
      {"FileOpen, w++", none, [] { return FileOpen(in_root("keep.txt").c_str(), "w++"); }, 0, FileError, 16, {}},
      {"FileOpenW, wcn", none, [] { return FileOpenW(in_root_w("keep.txt").c_str(), L"wcn", L"UTF8"); }, 0, FileError, 16, {}},
      // Writes through a handle that cannot take them.
      {"WrFile, read-only handle", none,
       [] { return write_then_close(FileOpen(in_root("keep.txt").c_str(), "r"), [](intptr_t h) { return WrFile(h, "x"); }); },
       0, FileError, 32, {}},
      {"WrFileLine, read-only handle", none,
       [] {
         return write_then_close(FileOpen(in_root("keep.txt").c_str(), "r"), [](intptr_t h) { return WrFileLine(h, "x"); });
       },
       0, FileError, 32, {}},
      {"WrFileW, read-only handle", none,
       [] {
         return write_then_close(FileOpenW(in_root_w("keep.txt").c_str(), L"r", L"UTF8"),
                                 [](intptr_t h) { return WrFileW(h, L"x"); });
       },
       0, FileError, 32, {}},
      {"WrFileLineW, read-only handle", none,
       [] {
         return write_then_close(FileOpen(in_root("keep.txt").c_str(), "r"), [](intptr_t h) { return WrFileLineW(h, L"x"); });
       },
       0, FileError, 32, {}},
      {"WrFile, UTF-16 handle", none,
       [] {
         return write_then_close(FileOpenW(in_root_w("new.txt").c_str(), L"w", L"UTF16LE"),
                                 [](intptr_t h) { return WrFile(h, "x"); });
       },
       0, FileError, 32, {{L"new.txt", "\xFF\xFE"}}},
      // A character code page 932 lacks: nothing of that call is written.
      {"WrFileW, \u00E9 into a byte file", none,
       [] {
         return write_then_close(FileOpen(in_root("new.txt").c_str(), "w"),
                                 [](intptr_t h) { return WrFileW(h, L"ok") + WrFileW(h, L"caf\u00E9"); });
       },
       1, FileError, 32, {{L"new.txt", "ok"}}},
      {"WrFileLineW, \u00E9 into a plain-text file", none,
       [] {
         return write_then_close(FileOpenW(in_root_w("new.txt").c_str(), L"w", L"shift_jis"),
                                 [](intptr_t h) { return WrFileLineW(h, L"ok") + WrFileLineW(h, L"\u00E9"); });
       },
       1, FileError, 32, {{L"new.txt", "ok\r\n"}}},
      // A UTF-8 file without mark that got fewer than three bytes is cut back
      // through its own handle: the x.txt of the folder moved to is not touched.
      {"FileClose, the current directory moved", none,
       [] {
         SetCurrentDirectoryW(kRoot.c_str());
         const intptr_t h = FileOpenW(L"x.txt", L"w", L"UTF8");
         SetCurrentDirectoryW(L"dir");
         const intptr_t r = WrFileW(h, L"x") + FileClose(h);
         SetCurrentDirectoryW(L"..\\..");  // back to the tests' folder
         return r;
       },
       2, FileError, 0, {{L"x.txt", "x"}}},
      // FileDelete.
      {"FileDelete, read-only file", none, [] { return FileDelete(in_root("ro.txt").c_str()); }, 0, nullptr, 0, {}},
      {"FileDelete, a folder", none, [] { return FileDelete(in_root("dir").c_str()); }, 0, nullptr, 0, {}},
      {"FileDelete, locked", [] { lock("keep.txt"); }, [] { return FileDelete(in_root("keep.txt").c_str()); }, 0, nullptr, 0, {}},
      {"FileDelete, name too long", none, [] { return FileDelete(kTooLong.c_str()); }, 0, FileError, 16, {}},
      {"FileDelete, empty path", none, [] { return IsOpen(1), FileDelete(""); }, 0, FileError, 128, {}},
      // The INI writers.
      {"WriteIniStrW, an ANSI file", none,
       [] { return WriteIniStrW(in_root_w("ansi.ini").c_str(), L"s", L"k", L"w"); }, -1, nullptr, 0, {}},
      {"WriteIniNumW, an ANSI file", none,
       [] { return WriteIniNumW(in_root_w("ansi.ini").c_str(), L"s", L"k", 5); }, -1, nullptr, 0, {}},
      {"WriteIniStrW, read-only file", none,
       [] { return WriteIniStrW(in_root_w("ro.ini").c_str(), L"s", L"k", L"w"); }, 0, nullptr, 0, {}},
      {"WriteIniStrW, a folder", none, [] { return WriteIniStrW(in_root_w("dir").c_str(), L"s", L"k", L"w"); }, -1,
       nullptr, 0, {}},
      {"WriteIniNumW, name too long", none, [] { return WriteIniNumW(kTooLongW.c_str(), L"s", L"k", 5); }, -1, nullptr, 0, {}},
      {"WriteIniStrW, locked", [] { lock("wide.ini"); },
       [] { return WriteIniStrW(in_root_w("wide.ini").c_str(), L"s", L"k", L"w"); }, 0, nullptr, 0, {}},
      // A bare name is the Windows folder's file, for the gate and creation
      // too: no stray file in the current directory, and an ANSI file there
      // is refused as any other.
      {"WriteIniStrW, bare name", [] { SetCurrentDirectoryW(kRoot.c_str()); },
       [] {
         const intptr_t r = WriteIniStrW(kBareIni, L"s", L"k", L"w");
         SetCurrentDirectoryW(L"..");
         return r;
       },
       1, nullptr, 0, {{L"%windir%\\" + wstring(kBareIni), string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0w\0\r\0\n\0", 22)}}},
      {"WriteIniNumW, bare name of an ANSI file",
       [] {
         write_all(windows_folder_file(kBareIni), kAnsiIni);
         SetCurrentDirectoryW(kRoot.c_str());
       },
       [] {
         const intptr_t r = WriteIniNumW(kBareIni, L"s", L"k", 5);
         SetCurrentDirectoryW(L"..");
         return r;
       },
       -1, nullptr, 0, {}},
      // NKF's conversions into files.
      {"nkf_fileconvert2, existing output", none,
       [] { return nkf_fileconvert2(in_root("sjis.txt").c_str(), in_root("keep.txt").c_str(), "-w"); }, 0, nkf_error, 8, {}},
      {"nkf_fileconvert2, output a folder", none,
       [] { return nkf_fileconvert2(in_root("sjis.txt").c_str(), in_root("dir").c_str(), "-w"); }, 0, nkf_error, 8, {}},
      {"nkf_fileconvert2, output in a missing folder", none,
       [] { return nkf_fileconvert2(in_root("sjis.txt").c_str(), in_root("nodir\\out.txt").c_str(), "-w"); }, 0, nkf_error,
       8, {}},
      {"nkf_fileconvert2, missing input", none,
       [] { return nkf_fileconvert2(in_root("none.txt").c_str(), in_root("out.txt").c_str(), "-w"); }, 0, nkf_error, 7, {}},
      {"nkf_fileconvert2, name too long", none,
       [] { return nkf_fileconvert2(in_root("sjis.txt").c_str(), kTooLong.c_str(), "-w"); }, 0, nkf_error, 8, {}},
      {"nkf_fileconvert1, read-only file", none, [] { return nkf_fileconvert1(in_root("ro.txt").c_str(), "-w"); }, 0,
       nkf_error, 7, {}},
      {"nkf_fileconvert1, locked", [] { lock("sjis.txt"); }, [] { return nkf_fileconvert1(in_root("sjis.txt").c_str(), "-w"); },
       0, nkf_error, 7, {}},
      {"nkf_fileconvert1, a folder", none, [] { return nkf_fileconvert1(in_root("dir").c_str(), "-w"); }, 0, nkf_error, 7, {}},
      {"nkf_fileconvert1, name too long", none, [] { return nkf_fileconvert1(kTooLong.c_str(), "-w"); }, 0, nkf_error, 7, {}},
  };
  for (const Row& row : rows) {
    lay_tree();
    row.setup();
    Tree expected = snapshot();
    const intptr_t got = row.call();
    const intptr_t error = row.error ? row.error() : 0;
    for (HANDLE h : g_locks) CloseHandle(h);
    g_locks.clear();
    close_slots();
    for (const auto& [file, bytes] : row.changed) expected[file] = bytes;
    EXPECT_EQ(got, row.expected) << row.what;
    EXPECT_EQ(error, row.expected_error) << row.what;
    const Tree after = snapshot();
    EXPECT_EQ(after.size(), expected.size()) << row.what;
    for (const auto& [file, bytes] : expected) {
      const auto found = after.find(file);
      EXPECT_TRUE(found != after.end() && found->second == bytes)
          << row.what << ": " << string(file.begin(), file.end()) << " holds "
          << (found == after.end() ? "nothing" : hex(found->second)) << ", expected " << hex(bytes);
    }
  }
  lay_tree();
  remove_tree(kRoot);
  DeleteFileW(windows_folder_file(kBareIni).c_str());
}

}  // namespace
