// The regular-expression bridge against the HMJRE.DLL stand-in (PCRE2):
// matching, the last match, tags, growth at the 2048-byte edge, failures and
// the editor's registry values.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "bridges_support.h"
#include "exports/api.h"
#include "text.h"
#include "programs.h"

namespace {

using namespace bridges_test;
using std::string;

constexpr char kStandin[] = "hmjre_standin.dll";

long standin_counter(const char* name) {
  auto counter = reinterpret_cast<long (*)()>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(kStandin), name)));
  return counter ? counter() : -1;
}

class Regex : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(hmjre_load(kStandin), 1); }
  void TearDown() override { hmjre_free(); }
};

TEST_F(Regex, MatchesAndTheLastMatch) {
  struct Case {
    string subject, pattern;
    intptr_t option, start, matched;
    string text;
    intptr_t position, length;
  } cases[] = {
      {"xabcx", "ABC", 1, 0, 1, "abc", 1, 3},
      {"xABCx", "abc", 1, 0, 1, "ABC", 1, 3},  // the subject's own letters
      {"xABCx", "abc", 0, 0, 0, "", 0, 0},
      {"abcabc", "abc", 0, 1, 1, "abc", 3, 3},  // position from the subject's start
      {"abcabc", "abc", 0, -1, 1, "abc", 0, 3},
      {"abcabc", "abc", 0, 7, 1, "abc", 0, 3},  // beyond the end: from 0
      {"abcabc", "abc", 0, 6, 0, "", 0, 0},     // at the end: nothing left
      {sjis(u8"表ＡＢＣ"), sjis(u8"ａｂｃ"), 1, 0, 1, sjis(u8"ＡＢＣ"), 2, 6},
      {sjis(u8"表ＡＢＣ"), sjis(u8"ａｂｃ"), 0, 0, 0, "", 0, 0},
      {"abc", "x*", 0, 0, 0, "", 0, 0},  // an empty match is none
      // Folding keeps what a backslash gives its meaning.
      {"ab cd", "\\W", 1, 0, 1, " ", 2, 1},
      {"A B", "\\S\\s\\S", 1, 0, 1, "A B", 0, 3},
      {"ab12", "\\D\\d", 1, 0, 1, "b1", 1, 2},
      {"ab ab", "\\Bb", 1, 0, 1, "b", 1, 1},
      {"ab1", "\\P{L}", 1, 0, 1, "1", 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.subject + " / " + c.pattern);
    EXPECT_EQ(hmjre_match(c.subject.c_str(), c.pattern.c_str(), c.option, c.start), c.matched);
    EXPECT_EQ(hex(hmjre_match_string()), hex(c.text));
    EXPECT_EQ(hmjre_match_info("position"), c.position);
    EXPECT_EQ(hmjre_match_info("length"), c.length);
  }
}

TEST_F(Regex, Tags) {
  // 漢 is 8A BF: no byte of it means anything to the stand-in's pattern syntax.
  ASSERT_EQ(hmjre_match(sjis(u8"x漢漢cx").c_str(), sjis(u8"((?:漢)+)(b)?(c)").c_str(), 0, 0), 1);
  const struct {
    intptr_t tag;
    string text;
  } cases[] = {{1, sjis(u8"漢漢")}, {2, ""}, {3, "c"}, {4, ""}, {0, ""}, {10, ""}, {-1, ""}};
  for (const auto& c : cases) EXPECT_EQ(hex(hmjre_match_tag_string(c.tag)), hex(c.text)) << c.tag;
  // No match, no tags.
  ASSERT_EQ(hmjre_match("xyz", "(a)", 0, 0), 0);
  EXPECT_STREQ(hmjre_match_tag_string(1), "");
}

TEST_F(Regex, BadPatternThenTheNextMatchWorks) {
  EXPECT_EQ(hmjre_match("abc", "(", 0, 0), -1);
  EXPECT_STREQ(hmjre_match_string(), "");
  EXPECT_EQ(hmjre_match("abc", "b", 0, 0), 1);  // compiled on a record opened again
  EXPECT_STREQ(hmjre_match_string(), "b");
  EXPECT_STREQ(hmjre_match_tag_string(1), "");
  EXPECT_EQ(standin_counter("StandinClosedRecordCalls"), 0);
}

TEST_F(Regex, SubjectsAroundTheWorkBufferSize) {
  // The work buffers start at 2048 bytes: a subject of 2047 fits with its
  // terminator, 2048 makes them grow; a long match outgrows the result buffer.
  for (std::size_t size : {2046u, 2047u, 2048u, 2049u, 100000u}) {
    const string subject = string(size - 3, '-') + "end";
    EXPECT_EQ(hmjre_match(subject.c_str(), "e(n)d", 0, 0), 1) << size;
    EXPECT_EQ(hmjre_match_info("p"), static_cast<intptr_t>(size - 3)) << size;
    EXPECT_STREQ(hmjre_match_tag_string(1), "n") << size;
  }
  // A match and a tag exactly as long as the result buffer (4096 bytes here):
  // with their terminators they do not fit it.
  const string edge(4096, 'b');
  EXPECT_EQ(hmjre_match(("x" + edge).c_str(), "(b+)", 0, 0), 1);
  EXPECT_EQ(hmjre_match_tag_string(1), edge);
  EXPECT_EQ(hmjre_match_string(), edge);
  const string long_match(6000, 'a');
  EXPECT_EQ(hmjre_match(("x" + long_match).c_str(), "(a+)", 0, 0), 1);
  EXPECT_EQ(hmjre_match_string(), long_match);
  EXPECT_EQ(hmjre_match_tag_string(1), long_match);
  EXPECT_EQ(hmjre_match("short", "o", 0, 0), 1);  // after growth, a short subject again
  EXPECT_STREQ(hmjre_match_string(), "o");
}

TEST_F(Regex, VersionFreeAndLoadingOnDemand) {
  EXPECT_STREQ(hmjre_version(), "f2a3");  // low 16 bits of 0x1F2A3
  EXPECT_EQ(hmjre_load(kStandin), 1);     // a second load gives back the first
  EXPECT_EQ(standin_counter("StandinOpenRecords"), 1);
  ASSERT_EQ(hmjre_match("abc", "c", 0, 0), 1);
  EXPECT_EQ(hmjre_free(), 1);
  EXPECT_EQ(GetModuleHandleA(kStandin), nullptr);
  // Unloaded: no texts, the numbers of the last match; free again is harmless.
  EXPECT_STREQ(hmjre_match_string(), "");
  EXPECT_STREQ(hmjre_match_tag_string(1), "");
  EXPECT_EQ(hmjre_match_info("p"), 2);
  EXPECT_EQ(hmjre_free(), 1);
  // The last name is kept: version and match load it again.
  EXPECT_STREQ(hmjre_version(), "f2a3");
  hmjre_free();
  EXPECT_EQ(hmjre_match("abc", "a", 0, 0), 1);
}

TEST(RegexLoad, FailuresLeaveTheBridgeUsable) {
  const string folder = fresh_folder("regex-failures");
  const struct {
    string file;
    intptr_t loaded;
  } cases[] = {
      {folder + "\\missing.dll", 0},
      {"hmjre_lacking_standin.dll", 0},  // no JreGetTagPosition
      {"version.dll", 0},
      {string(300, 'x'), 0},  // longer than the 260-byte name
      {kStandin, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hmjre_load(c.file.c_str()), c.loaded) << c.file;
    if (!c.loaded) {
      EXPECT_EQ(hmjre_match("abc", "a", 0, 0), -1) << c.file;  // HMJRE.DLL again: not found
    }
  }
  EXPECT_EQ(GetModuleHandleA("hmjre_lacking_standin.dll"), nullptr);
  EXPECT_EQ(hmjre_match("abc", "b", 0, 0), 1);
  hmjre_free();
}

// The editor's two registry values, tried when the name does not load.
class RegexRegistry : public ::testing::Test {
 protected:
  static constexpr char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Hidemaru";
  static constexpr char kConfig[] = "Software\\Hidemaruo\\TuruKame\\Config";

  void SetUp() override {
    setup_folder_ = fresh_folder("regex-setup");
    home_folder_ = fresh_folder("regex-home");
    place_copy(kStandin, setup_folder_, "HMJRE.DLL");
    place_copy(kStandin, home_folder_, "HMJRE.DLL");
  }
  void TearDown() override {
    hmjre_free();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstall);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Hidemaruo");
  }
  static void set_value(HKEY root, const char* key_name, const char* value_name, const string& value) {
    RegDeleteTreeA(root, key_name);
    if (value.empty()) return;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key_name, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, value_name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
  string setup_folder_, home_folder_;
};

TEST_F(RegexRegistry, UninstallStringThenHomeDir) {
  const string setup = setup_folder_ + "\\", home = home_folder_ + "\\";
  const string nowhere = fresh_folder("regex-empty") + "\\";
  const struct {
    string uninstall, home_dir;
    string loaded_from;  // empty: the load fails
  } cases[] = {
      {setup + "hmsetup.exe /u", home, setup},
      {setup + "HMSETUP.EXE /u", home, home},     // the cut is case-sensitive
      {nowhere + "hmsetup.exe", home, home},      // nothing there: the home folder next
      {"", home, home},
      {setup + "hmsetup.exe", "", setup},
      {"", home_folder_, ""},                     // no backslash: ...regex-homeHMJRE.DLL
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.uninstall + " | " + c.home_dir);
    set_value(HKEY_LOCAL_MACHINE, kUninstall, "UninstallString", c.uninstall);
    set_value(HKEY_CURRENT_USER, kConfig, "HomeDir", c.home_dir);
    EXPECT_EQ(hmjre_load("not-here.dll"), c.loaded_from.empty() ? 0 : 1);
    if (!c.loaded_from.empty()) {
      EXPECT_NE(GetModuleHandleA((c.loaded_from + "HMJRE.DLL").c_str()), nullptr);
      EXPECT_EQ(hmjre_match("abc", "b", 0, 0), 1);
    }
    hmjre_free();
  }
}
}  // namespace
