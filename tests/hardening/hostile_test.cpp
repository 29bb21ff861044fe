// Input that other people wrote, through the real engines in one process:
// hostile affix and dictionary files, MeCab options and texts, an nkf text
// over the bound and hostile .editorconfig files. Each call gives its
// export's failure value (or, where the input is sound after all, its
// answer) and its family's message, and the next call of the family works.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "exports/api.h"
#include "frame/contract.h"
#include "handles.h"
#include "real_engines.h"
#include "text.h"

namespace {

using namespace bridges_test;
using std::string;

string repeat(const string& piece, std::size_t times) {
  string s;
  s.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) s += piece;
  return s;
}

const string kMeCabOptions = "-d " + kIpadic;
const string kNoError = sjis(u8"エラーなし");

string folder() {
  static const string path = fresh_folder("hostile-inputs");
  return path;
}
// An affix file of the given lines beside a one-word dictionary; the
// dictionary's path (hunspell_Create's first argument).
string dictionary(const string& name, const string& affix_lines, const string& dic = "1\nhello\n") {
  const string base = folder() + "\\" + name;
  write_bytes(base + ".aff", "SET UTF-8\n" + affix_lines);
  write_bytes(base + ".dic", dic);
  return base + ".dic";
}

// A .editorconfig of a plain [*] section and a hostile one; the number of
// properties a file beside it gets, and whether the hostile one is among them.
struct EditorConfigAnswer {
  intptr_t count;
  bool hostile;
};
EditorConfigAnswer editorconfig(const string& name, const string& hostile_section, const string& file = "x.c") {
  const string dir = fresh_folder(folder() + "\\" + name);
  write_bytes(dir + "\\.editorconfig", "root = true\n[*]\nplain = yes\n[" + hostile_section + "]\n" +
                                         repeat("hostile = yes\n", 200));
  const intptr_t count = EditorConfigExecute((dir + "\\" + file).c_str());
  bool hostile = false;
  for (intptr_t i = 0; i < count; ++i) hostile = hostile || string(EditorConfigGetKey(i)) == "hostile";
  return {count, hostile};
}

struct Row {
  const char* name;
  std::function<void()> hostile;
  std::function<void()> next;  // the family at work again
};

void spell_works() {
  EXPECT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  EXPECT_EQ(hunspell_Spell("hello"), 1);
  EXPECT_EQ(hunspell_Spell("helo"), 0);
}
// A count that no file of this size can hold: Hunspell threw on the affix
// tables' counts, or reserved gigabytes for them and for the word count.
Row count(const char* name, const string& affix_lines, const string& dic = "1\nhello\n") {
  return {name,
          [=] {
            const long long before = committed_private_bytes();
            EXPECT_EQ(hunspell_Create(dictionary(name, affix_lines, dic).c_str(), ""), 1);
            EXPECT_LT(committed_private_bytes() - before, 64LL << 20);
            EXPECT_EQ(hunspell_Spell("hello"), 1);
          },
          spell_works};
}

void mecab_works() {
  EXPECT_STRNE(mecab_wakati(kMeCabOptions.c_str(), "a1"), "");
  EXPECT_EQ(mecab_error(), 0);
}
void mecab_failed() {
  EXPECT_EQ(mecab_error(), 4);
  EXPECT_NE(string(mecab_errormessage()), kNoError);
  EXPECT_STRNE(mecab_getstrerror(), "");
}
// "a1" repeated: MeCab's wakati writes "a 1 " for each, then a line end.
void wakati_of_a1(std::size_t pairs, bool whole) {
  const string text = repeat("a1", pairs);
  const string output = mecab_wakati(kMeCabOptions.c_str(), text.c_str());
  if (whole) {
    EXPECT_EQ(mecab_error(), 0);
    EXPECT_EQ(output.size(), 4 * pairs + 1);
    EXPECT_EQ(output, repeat("a 1 ", pairs) + "\n");
  } else {
    EXPECT_EQ(output, "");
    mecab_failed();
  }
}
// The largest result is 1,000,000 bytes; an output is known whole when it
// ends more than the longest surface (65,535 bytes) and two bytes before.
constexpr std::size_t kWakatiEdge = (lmx::kResultCap - 65537 - 2) / 4;

const Row kRows[] = {
    count("REP", "REP 2000000000\n"),
    count("MAP", "MAP 2000000000\n"),
    count("BREAK", "BREAK 2000000000\n"),
    count("PFX", "PFX A Y 2000000000\n"),
    count("SFX", "SFX A Y 2000000000\n"),
    count("CHECKCOMPOUNDPATTERN", "CHECKCOMPOUNDPATTERN 2000000000\n"),
    count("COMPOUNDRULE", "COMPOUNDRULE 2000000000\n"),
    count("the word count", "", "268000000\nhello\n"),

    // Partial mode on a text of its shape reaches a failed check in MeCab.
    {"MeCab partial mode",
     [] {
       EXPECT_STREQ(mecab((kMeCabOptions + " -p").c_str(), " \n\xE3\x81\xA8 \tX\n x\nEOS\n"), "");
       mecab_failed();
     },
     mecab_works},
    // More than 63 option words overran MeCab's array of them.
    {"MeCab options of many words",
     [] {
       // With the prefix "-O wakati", 63 words: the most MeCab takes.
       EXPECT_STREQ(mecab_wakati((kMeCabOptions + repeat(" -C", 59)).c_str(), "a1"), "a 1 \n");
       EXPECT_STREQ(mecab_wakati((kMeCabOptions + repeat(" -C", 100)).c_str(), "a1"), "");
       EXPECT_EQ(mecab_error(), 7);
     },
     mecab_works},
    {"MeCab output twice the text", [] { wakati_of_a1(200000, true); }, mecab_works},
    {"MeCab output at the edge", [] { wakati_of_a1(kWakatiEdge, true); }, mecab_works},
    {"MeCab output past the edge", [] { wakati_of_a1(kWakatiEdge + 1, false); }, mecab_works},
    {"MeCab text over the bound",
     [] {
       mecab_works();  // a success before: its code must not stand
       EXPECT_STREQ(mecab_wakati(kMeCabOptions.c_str(), string(500001, 'a').c_str()), "");
       mecab_failed();
     },
     mecab_works},

    {"nkf text over the bound",
     [] {
       EXPECT_STREQ(nkf_exec("-w", "abc"), "abc");
       EXPECT_STREQ(nkf_exec("-w", string(lmx::kResultCap, 'a').c_str()), "");
       EXPECT_NE(nkf_error(), 0);
       EXPECT_NE(string(nkf_errormessage()), kNoError);
     },
     [] {
       EXPECT_STREQ(nkf_exec("-w", "abc"), "abc");
       EXPECT_EQ(nkf_error(), 0);
     }},

    // 22 "**a" then "**b", over 200 lines.
    {"backtracking section",
     [] { EXPECT_EQ(editorconfig("backtracking", repeat("**a", 22) + "**b").count, 1); }, nullptr},
    // Matches only after millions of steps of PCRE2: past the limit, no match.
    {"section past the match limit",
     [] {
       const EditorConfigAnswer answer = editorconfig("limit", repeat("**a", 20) + "**b", repeat("a", 30) + "b");
       EXPECT_EQ(answer.count, 1);
       EXPECT_FALSE(answer.hostile);
     },
     nullptr},
    {"bracket with a slash",
     [] { EXPECT_EQ(editorconfig("bracket", repeat("?", 2000) + "[/" + repeat("x", 2000)).count, 1); }, nullptr},
};

TEST(HostileInput, EachCallFailsAndTheNextWorks) {
  ASSERT_EQ(hunspell_load(""), 1);
  ASSERT_EQ(mecab_load(""), 1);
  ASSERT_EQ(nkf_load(""), 1);
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    row.hostile();
    if (row.next) row.next();
  }
  const string plain = fresh_folder(folder() + "\\plain");
  write_bytes(plain + "\\.editorconfig", "root = true\n[*.c]\nindent_size = 2\n");
  EXPECT_EQ(EditorConfigExecute((plain + "\\x.c").c_str()), 2);  // indent_size, and tab_width from it
}

}  // namespace
