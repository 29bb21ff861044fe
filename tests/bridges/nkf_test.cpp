// The NKF bridge: the real NKF32.DLL 2.1.5 checked byte for byte against
// Debian's nkf on the same inputs (the expected bytes are made by nkf when the
// tests run, see nkf_expected.sh), its error codes and messages, and the older
// interface levels through stand-ins.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bridges_support.h"
#include "exports/api.h"
#include "text.h"

namespace {

using namespace bridges_test;
using std::string;

const string kCases = "nkf-cases";

struct Case {
  string number, how, input, options;
};

std::vector<Case> read_cases() {
  std::vector<Case> cases;
  std::ifstream list(kCases + "\\cases.list");
  for (string line; std::getline(list, line);) {
    std::istringstream fields(line);
    Case c;
    std::getline(fields, c.number, '|');
    std::getline(fields, c.how, '|');
    std::getline(fields, c.input, '|');
    std::getline(fields, c.options);
    cases.push_back(c);
  }
  return cases;
}

string convert(const Case& c, const string& text) {
  if (c.how == "hankaku") return nkf_tohankaku(text.c_str());
  if (c.how == "zenkaku") return nkf_tozenkakukana(text.c_str());
  if (c.how == "mime") return nkf_tomime(text.c_str());
  return nkf_exec(c.options.c_str(), text.c_str());
}

// Runs first in this file: the first cases make outputs around the result
// buffer's initial 4096 bytes (NKF32.DLL's Safe functions leave a full buffer
// unterminated).
TEST(NkfReal, SameBytesAsDebiansNkf) {
  ASSERT_EQ(nkf_load(""), 1);
  EXPECT_STREQ(nkf_version(), "2.1.5.0 2");
  const std::vector<Case> cases = read_cases();
  ASSERT_GT(cases.size(), 30u) << "no " << kCases << "\\cases.list: run through ctest";
  const string out = fresh_folder("nkf-out");
  int strings = 0, files = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("case " + c.number + ": " + c.how + " " + c.input + " " + c.options);
    const string in_file = kCases + "\\" + c.input + ".in";
    const string input = read_bytes(in_file), expected = read_bytes(kCases + "\\case" + c.number + ".expected");
    ASSERT_FALSE(input.empty());
    // A text with zero bytes (UTF-16) can only come back as a file.
    if (expected.find('\0') == string::npos) {
      EXPECT_EQ(hex(convert(c, input)), hex(expected));
      EXPECT_EQ(nkf_error(), nkf_code::no_error);
      ++strings;
    }
    if (c.how != "exec") continue;
    const string converted = out + "\\case" + c.number + ".out";
    DeleteFileA(converted.c_str());
    EXPECT_EQ(nkf_fileconvert2(in_file.c_str(), converted.c_str(), c.options.c_str()), 1);
    EXPECT_EQ(nkf_error(), nkf_code::no_error);
    EXPECT_EQ(hex(read_bytes(converted)), hex(expected));
    const string in_place = out + "\\case" + c.number + ".inplace";
    write_bytes(in_place, input);
    EXPECT_EQ(nkf_fileconvert1(in_place.c_str(), c.options.c_str()), 1);
    EXPECT_EQ(hex(read_bytes(in_place)), hex(expected));
    files += 2;
  }
  std::printf("nkf cross-checks: %d string and %d file conversions\n", strings, files);
  nkf_free();
}

TEST(NkfReal, GuessAndKanjiCodeOfTheLastInput) {
  ASSERT_EQ(nkf_load("NKF32.DLL"), 1);
  // NkfGetKanjiCode's numbers, as NKF32.DLL's sources give them.
  const struct {
    const char* input;
    intptr_t code;
  } cases[] = {{"sjis", 0}, {"eucjp", 1}, {"iso2022jp", 2}, {"utf8", 3}, {"hankaku", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const string input = read_bytes(kCases + "\\" + c.input + ".in");
    ASSERT_FALSE(input.empty());
    nkf_exec("-s", input.c_str());
    EXPECT_EQ(string(nkf_getguess()), read_bytes(kCases + "\\" + c.input + ".guess"));
    EXPECT_EQ(nkf_error(), nkf_code::no_error);
    EXPECT_EQ(nkf_getkanjicode(), c.code);
  }
  nkf_free();
}

// What a call gave, with the code and message it left.
struct Seen {
  const char* what;
  intptr_t result, code;
  string message;
};
Seen seen(const char* what, intptr_t result) { return {what, result, nkf_error(), nkf_errormessage()}; }

TEST(NkfReal, ErrorCodesAndMessages) {
  const string dir = fresh_folder("nkf-errors");
  // Files the engine could not open as it wants: one held by a program that
  // refuses writers (and read-only besides), one that refuses readers.
  const string held = dir + "\\held.txt", unreadable = dir + "\\unreadable.txt", read_only = dir + "\\read-only.txt";
  const string from_unreadable = dir + "\\from-unreadable.txt";
  for (const string* f : {&held, &unreadable, &read_only}) write_bytes(*f, "abc\n");
  SetFileAttributesA(held.c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY);
  const HANDLE holding = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  const HANDLE locking = CreateFileA(unreadable.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holding, INVALID_HANDLE_VALUE);
  ASSERT_NE(locking, INVALID_HANDLE_VALUE);
  // In call order (a braced list is evaluated left to right). The codes of
  // the other refusals, and which check decides when two fail, are in
  // tests/hardening/properties.txt.
  ASSERT_EQ(nkf_load(""), 1);
  const struct {
    Seen seen;
    intptr_t result, code;
  } cases[] = {
      {seen("held file", nkf_fileconvert1(held.c_str(), "-s")), 0, 7},
      {seen("unreadable input", nkf_fileconvert2(unreadable.c_str(), from_unreadable.c_str(), "-e")), 1, 4},
      {seen("read-only file", nkf_fileconvert1(read_only.c_str(), "-e")), 0, 7},
      {seen("read-only file, -v", nkf_fileconvert1(read_only.c_str(), "-v")), 0, 1},
      {seen("free", nkf_free()), 1, 0},
  };
  CloseHandle(holding);
  CloseHandle(locking);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seen.what);
    EXPECT_EQ(c.seen.result, c.result);
    EXPECT_EQ(c.seen.code, c.code);
    EXPECT_EQ(hex(c.seen.message), hex(nkf_message(c.code)));
    EXPECT_TRUE(japanese(c.seen.message));
  }
  EXPECT_EQ(read_bytes(held), "abc\n");
  EXPECT_EQ(GetFileAttributesA(from_unreadable.c_str()), INVALID_FILE_ATTRIBUTES);
  for (const string* f : {&held, &read_only}) {
    EXPECT_EQ(read_bytes(*f), "abc\n");
    EXPECT_NE(GetFileAttributesA(f->c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << "the mark stays";
  }
}

TEST(NkfOlderLevels, StandInsOfVersions1And204) {
  const string folder = fresh_folder("nkf-levels");
  const string input = folder + "\\in.txt", output = folder + "\\out.txt";
  const struct {
    const char* file;
    const char* version;
    const char* mime;
    intptr_t files, kanji_code, file_code;
  } levels[] = {
      {"nkf_level0_standin.dll", "1.92", "EncodeSubject(-jM):abc", 0, -1, 6},
      {"nkf_level1_standin.dll", "2.0.4", "ToMime(-jM):abc", 1, 3, 0},
  };
  for (const auto& level : levels) {
    SCOPED_TRACE(level.file);
    ASSERT_EQ(nkf_load(level.file), 1);
    EXPECT_STREQ(nkf_version(), level.version);
    EXPECT_STREQ(nkf_exec("-j", "abc"), "NkfConvert(-j):abc");
    EXPECT_STREQ(nkf_exec("", "abc"), "NkfConvert():abc");
    EXPECT_STREQ(nkf_tohankaku("abc"), "ToHankaku(-ZSs):abc");
    EXPECT_STREQ(nkf_tozenkakukana("abc"), "ToZenkakuKana(-Ss):abc");
    EXPECT_STREQ(nkf_tomime("abc"), level.mime);
    EXPECT_EQ(nkf_error(), nkf_code::no_error);
    EXPECT_STREQ(nkf_exec("-refuse", "abc"), "");
    EXPECT_EQ(nkf_error(), nkf_code::option_refused);
    EXPECT_STREQ(nkf_getguess(), "");
    EXPECT_EQ(nkf_error(), nkf_code::wrong_version);
    EXPECT_EQ(hex(nkf_errormessage()), hex(nkf_message(6)));
    EXPECT_EQ(nkf_getkanjicode(), level.kanji_code);

    write_bytes(input, "abc");
    DeleteFileA(output.c_str());
    EXPECT_EQ(nkf_fileconvert1(input.c_str(), "-s"), level.files);
    EXPECT_EQ(nkf_error(), level.file_code);
    EXPECT_EQ(nkf_fileconvert2(input.c_str(), output.c_str(), "-e"), level.files);
    EXPECT_EQ(nkf_error(), level.file_code);
    if (level.files) {
      // In place through the two-file conversion into a new file beside it.
      EXPECT_EQ(read_bytes(input), "NkfFileConvert2(-s):" + input);
      EXPECT_EQ(read_bytes(output), "NkfFileConvert2(-e):" + input);
    }

    // Without an output capacity the buffer is made ready for nkf's largest
    // output first (16 bytes a byte and 256); a text too long for that within
    // the 1,000,000-byte cap is refused.
    const string longest(62484, 'a'), too_long(62485, 'a');
    EXPECT_EQ(string(nkf_exec("", longest.c_str())), "NkfConvert():" + longest);
    EXPECT_STREQ(nkf_exec("", too_long.c_str()), "");
    EXPECT_EQ(nkf_error(), nkf_code::command_failed);  // a refusal, not "no error"
    EXPECT_EQ(nkf_free(), 1);
  }
}

}  // namespace
