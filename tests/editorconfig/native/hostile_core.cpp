// The EditorConfig core as lorimax builds it, natively under AddressSanitizer
// and LeakSanitizer, against .editorconfig files written to do harm: each
// file parses (or fails as a parse) without an overflow or a leak, the
// harmful section gives nothing, a plain section beside it still applies, and
// a section's glob is matched once per section, not once per property line.
// Bounded work is shown by counting the glob matches and by a glob that PCRE2
// could match only after millions of steps, which the match limit refuses.
#define PCRE2_CODE_UNIT_WIDTH 8
#include <editorconfig/editorconfig.h>
#include <gtest/gtest.h>
#include <pcre2.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

std::string g_subject;  // the queried file's full name
int g_glob_matches = 0;  // PCRE2 matches run on it

}  // namespace

// Linked with --wrap=pcre2_match_8: counts the matches of section globs.
extern "C" int __real_pcre2_match_8(const pcre2_code*, PCRE2_SPTR, PCRE2_SIZE, PCRE2_SIZE, uint32_t,
                                    pcre2_match_data*, pcre2_match_context*);
extern "C" int __wrap_pcre2_match_8(const pcre2_code* code, PCRE2_SPTR subject, PCRE2_SIZE length, PCRE2_SIZE start,
                                    uint32_t options, pcre2_match_data* data, pcre2_match_context* context) {
  if (length == g_subject.size() && !std::memcmp(subject, g_subject.data(), length)) ++g_glob_matches;
  return __real_pcre2_match_8(code, subject, length, start, options, data, context);
}

namespace {

namespace fs = std::filesystem;
using std::string;

string repeat(const string& piece, int times) {
  string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}
string lines(const string& line, int times) { return repeat(line + "\n", times); }
string section(const string& glob, int properties) { return "[" + glob + "]\n" + lines("hostile = yes", properties); }

struct Row {
  const char* name;
  string folder;  // below the test's folder
  string file;    // the queried file's name in it
  string hostile;  // what follows a plain [*] section
  bool parses = true;
};

const Row kRows[] = {
    // 22 "**a" then "**b": backtracks to the match limit, for every line.
    {"backtracking glob, 200 lines", "long-section", repeat("a", 30) + "b.c", section(repeat("**a", 22) + "**b", 200)},
    // Matches only after millions of steps: refused by the match limit.
    {"glob past the match limit", "limit", repeat("a", 30) + "b", section(repeat("**a", 20) + "**b", 1)},
    {"bracket with a slash", "bracket", "x.c", section(repeat("?", 2000) + "[/" + repeat("x", 2000), 3)},
    {"over-long glob, many lines", "many-lines", "x.c", section(repeat("?", 2100), 2000)},
    // Each special character of the folder's name is escaped: the glob
    // outgrows the core's copy of it.
    {"long folder of special characters", repeat(repeat(",", 250) + "/", 15), "x.c", section(repeat("?", 1000), 2)},
    // Each escaped {single} adds a byte to that copy.
    {"escaped braces under a long folder", repeat(repeat(",", 250) + "/", 14) + "braces", "x.c",
     section(repeat("{a}", 330), 2)},
    {"deep braces", "deep", "x.c", section(repeat("{a,", 1000) + repeat("}", 1000), 2)},
    {"huge ranges", "ranges", "x.c",
     section("{1..99999999999999999999}", 1) + section("{-2147483649..2147483648}{0..1}", 1) +
         section(repeat("{1..2}", 600), 1)},
    {"a 1 MB line", "one-mb", "x.c", "hostile = " + string(1 << 20, 'x') + "\n", false},
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class HostileCore : public testing::TestWithParam<Row> {};

TEST_P(HostileCore, HarmsNothingAndMatchesOncePerSection) {
  const Row& row = GetParam();
  const fs::path folder = fs::absolute("ec-hostile") / row.folder;
  fs::create_directories(folder);
  const string content = "root = true\n[*]\nplain = yes\n" + row.hostile;
  std::ofstream(folder / ".editorconfig", std::ios::binary) << content;
  g_subject = (folder / row.file).lexically_normal().string();
  g_glob_matches = 0;

  const auto started = std::chrono::steady_clock::now();
  editorconfig_handle handle = editorconfig_handle_init();
  const int parsed = editorconfig_parse(g_subject.c_str(), handle);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
  std::printf("%s: %.1f ms\n", row.name, took.count());

  if (row.parses) {
    EXPECT_EQ(parsed, 0) << editorconfig_get_error_msg(parsed);
    bool plain = false, hostile = false;
    for (int i = 0; i < editorconfig_handle_get_name_value_count(handle); ++i) {
      const char *name = nullptr, *value = nullptr;
      editorconfig_handle_get_name_value(handle, i, &name, &value);
      plain = plain || !std::strcmp(name, "plain");
      hostile = hostile || !std::strcmp(name, "hostile");
    }
    EXPECT_TRUE(plain);
    EXPECT_FALSE(hostile);
  } else {
    EXPECT_GT(parsed, 0);  // the line's pieces are not properties
  }
  int sections = 0;
  for (std::size_t at = content.find("\n["); at != string::npos; at = content.find("\n[", at + 1)) ++sections;
  EXPECT_LE(g_glob_matches, sections);
  editorconfig_handle_destroy(handle);
}

INSTANTIATE_TEST_SUITE_P(Corpus, HostileCore, testing::ValuesIn(kRows), [](const auto& info) {
  string name = info.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

}  // namespace
