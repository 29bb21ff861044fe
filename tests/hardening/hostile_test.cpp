// Input that other people wrote, through the real engines in one process:
// hostile affix and dictionary files, MeCab options, settings files and
// texts, an nkf text over the bound and hostile .editorconfig files. Each call
// gives its export's failure value (or, where the input is sound after all,
// its answer) and its family's message, and the next call of the family
// works. The Hunspell and MeCab rows run twice: against the engines as their
// recipes build them, and against stock builds (bin\stock), as a user's own
// install has them, which end the process or overrun memory where the bridge
// lets the input through.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
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

// The dictionary set before a refusal is still the one in use (the hostile
// dictionaries know "hello" alone).
void spell_works() {
  EXPECT_EQ(hunspell_Spell("hello"), 1);
  EXPECT_EQ(hunspell_Spell("world"), 1);
  EXPECT_EQ(hunspell_Spell("helo"), 0);
}
// A count that no file of its size can hold: Hunspell sized memory by it
// before reading the lines (it threw, or committed gigabytes). Refused, and
// nothing is committed for it.
void overcounted(const std::function<intptr_t()>& call, intptr_t failure) {
  const long long before = committed_private_bytes();
  EXPECT_EQ(call(), failure);
  EXPECT_LT(committed_private_bytes() - before, 64LL << 20);
  EXPECT_EQ(string(hunspell_errormessage()), sjis(u8"辞書ファイル/接辞ファイルに、ファイルの大きさを超える件数が書かれています。"));
}
Row count(const char* name, const string& affix_lines, const string& dic = "1\nhello\n") {
  return {name, [=] { overcounted([&] { return hunspell_Create(dictionary(name, affix_lines, dic).c_str(), ""); }, 0); },
          spell_works};
}

void mecab_works() {
  EXPECT_STRNE(mecab_wakati(kMeCabOptions.c_str(), "a1"), "");
  EXPECT_EQ(mecab_error(), mecab_code::ok);
}
void mecab_failed() {
  EXPECT_EQ(mecab_error(), mecab_code::analysis_failed);
  EXPECT_NE(string(mecab_errormessage()), kNoError);
  EXPECT_STRNE(mecab_getstrerror(), "");
}
// Kept from MeCab: code 7, the bridge's reason as MeCab's text and in the message.
void mecab_refused(const string& options, const char8_t* reason) {
  // A text of partial mode's shape (UTF-8, as the dictionary), which takes MeCab to its failed check.
  EXPECT_STREQ(mecab(options.c_str(), " \n\xE3\x81\xA8 \tX\n x\nEOS\n"), "");
  EXPECT_EQ(mecab_error(), mecab_code::options_refused);
  const string why = mecab_getstrerror(), message = mecab_errormessage();
  EXPECT_NE(why.find(sjis(reason)), string::npos) << why;
  EXPECT_NE(message.find(why), string::npos);
}
// Where the bridge found partial mode switched on, as its message says.
const char8_t kInOptions[] = u8"オプションでpartialが有効です。";
const char8_t kInMecabrc[] = u8"mecabrcでpartialが有効です。";
const char8_t kInDicrc[] = u8"dicrcでpartialが有効です。";
// A file of settings for MeCab in the test's folder; its path.
string settings(const string& name, const string& lines) {
  write_bytes(folder() + "\\" + name, lines);
  return folder() + "\\" + name;
}
// Debian's dictionary in a folder of its own (hard links), with a dicrc that
// says `lines` too.
string dictionary_saying(const string& lines) {
  const string dir = fresh_folder(folder() + "\\dic");
  for (const char* file : {"sys.dic", "matrix.bin", "char.bin", "unk.dic"}) {
    const string from = kIpadic + "\\" + file, to = dir + "\\" + file;
    if (GetFileAttributesA(to.c_str()) == INVALID_FILE_ATTRIBUTES && !CreateHardLinkA(to.c_str(), from.c_str(), nullptr))
      CopyFileA(from.c_str(), to.c_str(), TRUE);
  }
  write_bytes(dir + "\\dicrc", read_bytes(kIpadic + "\\dicrc") + lines);
  return dir;
}
// The mecabrc MeCab reads when the options name none: MECABRC (as the C
// runtime and the process have it), for the row's length.
void with_mecabrc(const string& rc, const std::function<void()>& row) {
  _putenv_s("MECABRC", rc.c_str());
  SetEnvironmentVariableA("MECABRC", rc.c_str());
  row();
  _putenv_s("MECABRC", "");
  SetEnvironmentVariableA("MECABRC", nullptr);
}
// "a1" repeated: MeCab's wakati writes "a 1 " for each, then a line end.
void wakati_of_a1(std::size_t pairs, bool whole) {
  const string text = repeat("a1", pairs);
  const string output = mecab_wakati(kMeCabOptions.c_str(), text.c_str());
  if (whole) {
    EXPECT_EQ(mecab_error(), mecab_code::ok);
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

// Run against each build of Hunspell and MeCab.
const Row kEngineRows[] = {
    count("REP", "REP 2000000000\n"),
    count("MAP", "MAP 2000000000\n"),
    count("BREAK", "BREAK 2000000000\n"),
    count("PFX", "PFX A Y 2000000000\n"),
    count("SFX", "SFX A Y 2000000000\n"),
    count("CHECKCOMPOUNDPATTERN", "CHECKCOMPOUNDPATTERN 2000000000\n"),
    count("COMPOUNDRULE", "COMPOUNDRULE 2000000000\n"),
    count("ICONV", "ICONV 2000000000\n"),
    count("OCONV", "OCONV 2000000000\n"),
    count("AF", "AF 268000000\n"),
    count("AM", "AM 268000000\n"),
    count("PHONE", "PHONE 2000000000\n"),
    count("the word count", "", "268000000\nhello\n"),
    {"the word count of a further dictionary",
     [] {
       write_bytes(folder() + "\\more.dic", "268000000\nworld\n");
       overcounted([] { return hunspell_AddDictionary((folder() + "\\more.dic").c_str()); }, -1);
     },
     spell_works},

    // Partial mode on a text of its shape reaches a failed check in MeCab,
    // which ends the process: refused wherever it is switched on.
    {"MeCab partial mode", [] { mecab_refused(kMeCabOptions + " -p", kInOptions); }, mecab_works},
    {"MeCab partial mode, long form", [] { mecab_refused("--partial " + kMeCabOptions, kInOptions); }, mecab_works},
    {"MeCab partial mode in a named mecabrc",
     [] { mecab_refused(kMeCabOptions + " -r " + settings("partial.rc", "partial = 1\n"), kInMecabrc); },
     mecab_works},
    {"MeCab partial mode in the dicrc",
     [] { mecab_refused("-d " + dictionary_saying("partial = 1\n"), kInDicrc); }, mecab_works},
    {"MeCab partial mode in MeCab's own mecabrc",
     [] {
       with_mecabrc(settings("own.rc", "dicdir = " + dictionary_saying("partial=1\n") + "\n"),
                    [] { mecab_refused("", kInDicrc); });
     },
     mecab_works},
    // A read of a device (COM1) can wait for ever.
    {"MeCab settings file that is a device",
     [] { mecab_refused(kMeCabOptions + " -r NUL", u8"ファイルではありません"); },
     mecab_works},
    // More than 63 option words overran MeCab's array of them.
    {"MeCab options of many words",
     [] {
       // With the prefix "-O wakati", 63 words: the most MeCab takes.
       EXPECT_STREQ(mecab_wakati((kMeCabOptions + repeat(" -C", 59)).c_str(), "a1"), "a 1 \n");
       mecab_refused(kMeCabOptions + repeat(" -C", 62), u8"63語");
       mecab_refused(kMeCabOptions + repeat(" -C", 600), u8"63語");
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
};

// The engines linked in, and NKF32.DLL (its recipe mends nothing of its input).
const Row kLinkedRows[] = {
    {"nkf text over the bound",
     [] {
       EXPECT_STREQ(nkf_exec("-w", "abc"), "abc");
       EXPECT_STREQ(nkf_exec("-w", string(lmx::kResultCap, 'a').c_str()), "");
       EXPECT_NE(nkf_error(), nkf_code::no_error);
       EXPECT_NE(string(nkf_errormessage()), kNoError);
     },
     [] {
       EXPECT_STREQ(nkf_exec("-w", "abc"), "abc");
       EXPECT_EQ(nkf_error(), nkf_code::no_error);
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

void run(const Row& row) {
  SCOPED_TRACE(row.name);
  row.hostile();
  if (row.next) row.next();
}

// The engines as their recipes build them, beside the test under the names a
// macro loads by default, then the stock builds by full path.
TEST(HostileInput, EachCallFailsAndTheNextWorks) {
  for (const char* layout : {"", "\\stock\\"}) {
    SCOPED_TRACE(*layout ? "stock builds" : "recipe builds");
    const string dir = *layout ? exe_folder() + layout : "";
    ASSERT_EQ(hunspell_load((dir + (*layout ? "libhunspell.dll" : "")).c_str()), 1);
    ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
    ASSERT_EQ(mecab_load((dir + (*layout ? "libmecab.dll" : "")).c_str()), 1);
    EXPECT_EQ(lower(mecab_getmodulefilename()), lower(*layout ? dir + "libmecab.dll" : exe_folder() + "\\libmecab.dll"));
    for (const Row& row : kEngineRows) run(row);
  }
  ASSERT_EQ(nkf_load(""), 1);
  for (const Row& row : kLinkedRows) run(row);
  const string plain = fresh_folder(folder() + "\\plain");
  write_bytes(plain + "\\.editorconfig", "root = true\n[*.c]\nindent_size = 2\n");
  EXPECT_EQ(EditorConfigExecute((plain + "\\x.c").c_str()), 2);  // indent_size, and tab_width from it
}

}  // namespace
