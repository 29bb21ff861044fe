// What the bridges keep from the engines a user brings, held member by member
// against the engines' own documentation, which this file keeps as the
// engines state it: MeCab's option list (`mecab --help` of MeCab 0.996), the
// counted tables of Hunspell's affix files (hunspell(5) of 1.7.1) and nkf's
// options that print and end the process (`nkf --help` of nkf 2.1.5). A
// member dropped from the library's lists or its reading of MeCab's options
// fails here.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bridges/bridge_text.h"
#include "bridges/file_lines.h"
#include "bridges/mecab_options.h"
#include "bridges/spell_counts.h"

namespace {

using namespace lmx;
using std::string;

// `mecab --help`, MeCab 0.996: the options as MeCab documents them.
constexpr const char* kMeCabHelp[] = {
    " -r, --rcfile=FILE              use FILE as resource file",
    " -d, --dicdir=DIR               set DIR  as a system dicdir",
    " -u, --userdic=FILE             use FILE as a user dictionary",
    " -l, --lattice-level=INT        lattice information level (DEPRECATED)",
    " -D, --dictionary-info          show dictionary information and exit",
    " -O, --output-format-type=TYPE  set output format type (wakati,none,...)",
    " -a, --all-morphs               output all morphs(default false)",
    " -N, --nbest=INT                output N best results (default 1)",
    " -p, --partial                  partial parsing mode (default false)",
    " -m, --marginal                 output marginal probability (default false)",
    " -M, --max-grouping-size=INT    maximum grouping size for unknown words (default 24)",
    " -F, --node-format=STR          use STR as the user-defined node format",
    " -U, --unk-format=STR           use STR as the user-defined unknown node format",
    " -B, --bos-format=STR           use STR as the user-defined beginning-of-sentence format",
    " -E, --eos-format=STR           use STR as the user-defined end-of-sentence format",
    " -S, --eon-format=STR           use STR as the user-defined end-of-NBest format",
    " -x, --unk-feature=STR          use STR as the feature for unknown word",
    " -b, --input-buffer-size=INT    set input buffer size (default 8192)",
    " -P, --dump-config              dump MeCab parameters",
    " -C, --allocate-sentence        allocate new memory for input sentence",
    " -t, --theta=FLOAT              set temparature parameter theta (default 0.75)",
    " -c, --cost-factor=INT          set cost factor (default 700)",
    " -o, --output=FILE              set the output file name",
    " -v, --version                  show the version and exit.",
    " -h, --help                     show this help and exit.",
};
// The documented option whose mode ends the process (MeCab's failed check).
constexpr const char* kMeCabEndsProcess[] = {"partial parsing mode"};

// hunspell(5): the first line of each counted table, and of a dictionary.
constexpr const char* kHunspellCountedLines[] = {
    "AF number_of_flag_vector_aliases",
    "AM number_of_morphological_aliases",
    "REP number_of_replacement_definitions",
    "MAP number_of_map_definitions",
    "PHONE number_of_phone_definitions",
    "BREAK number_of_break_definitions",
    "COMPOUNDRULE number_of_compound_definitions",
    "CHECKCOMPOUNDPATTERN number_of_checkcompoundpattern_definitions",
    "PFX flag cross_product number",
    "SFX flag cross_product number",
    "ICONV number_of_ICONV_definitions",
    "OCONV number_of_OCONV_definitions",
};

// `nkf --help`, nkf 2.1.5: what prints and ends, and options beside them.
constexpr struct {
  const char* line;
  bool ends;
} kNkfHelp[] = {
    {" -v --version           Print the version", true},
    {" --help/-V              Print this help / configuration", true},
    {" -g --guess             Guess the input code", false},
    {" --ic=<encoding>        Specify the input encoding", false},
};

// A machine's settings files, in memory; `default_rc` is MeCab's own choice.
struct Files final : mecab::SettingsFiles {
  std::map<string, string> files;
  string default_mecabrc;
  std::vector<string> opened;
  string default_rc() override { return default_mecabrc; }
  Read read(const string& path, const std::function<bool(std::string_view)>& take) override {
    opened.push_back(path);
    const auto at = files.find(path);
    if (at == files.end()) return Read::unreadable;
    if (at->second == "<device>") return Read::not_a_file;
    std::size_t start = 0;
    for (std::size_t end; (end = at->second.find('\n', start)) != string::npos; start = end + 1)
      if (!take(std::string_view(at->second).substr(start, end - start))) return Read::stopped;
    return Read::whole;
  }
};

string words(std::size_t n) {
  string s;
  for (std::size_t i = 0; i < n; ++i) s += (i % 2 ? "\t-C" : " -a");
  return s;
}

TEST(EngineRefusals, MeCabReadsEachDocumentedOptionAsMeCabDoes) {
  for (const char* line : kMeCabHelp) {
    const string text = line;
    const char letter = text[2];
    const std::size_t name_end = text.find_first_of("= ", 7);
    const string name = text.substr(7, name_end - 7);
    const bool takes_value = text[name_end] == '=';
    bool ends_process = false;
    for (const char* mode : kMeCabEndsProcess) ends_process = ends_process || text.find(mode) != string::npos;
    SCOPED_TRACE(name);
    for (const string& spelled : {string("-") + letter, "--" + name}) {
      mecab::Settings s;
      ASSERT_TRUE(mecab::read_options(spelled + (takes_value ? " v -a" : " -a"), s));
      EXPECT_EQ(s.find(name) ? *s.find(name) : "", takes_value ? "v" : "1");
      EXPECT_NE(s.find("all-morphs"), nullptr);  // the value, and only the value, was taken
      Files none;
      EXPECT_EQ(mecab::refusal(spelled + (takes_value ? " v" : ""), none).empty(), !ends_process);
      // The same in a mecabrc (named or MeCab's own) and in the dicrc it names.
      if (!takes_value) {
        Files files;
        files.files = {{"rc", name + " = 1\n"}, {"dic\\dicrc", name + "=+01\n"}, {"own", "dicdir = dic\n"}};
        EXPECT_EQ(mecab::refusal("-r rc", files).empty(), !ends_process);
        EXPECT_EQ(mecab::refusal("-r own", files).empty(), !ends_process);
        files.default_mecabrc = "own";
        EXPECT_EQ(mecab::refusal("", files).empty(), !ends_process);
      }
    }
    if (takes_value) {
      mecab::Settings s;
      EXPECT_TRUE(mecab::read_options("--" + name + "=a=b", s));
      EXPECT_EQ(*s.find(name), "a=b");
      EXPECT_FALSE(mecab::read_options(string("-") + letter, s));  // MeCab refuses it: no value
    } else {
      mecab::Settings s;
      EXPECT_EQ(mecab::read_options(string("-") + letter + "x", s), ends_process);  // a refused switch says why
    }
  }
}

TEST(EngineRefusals, MeCabOptionWordsAndSettingsFiles) {
  Files files;
  EXPECT_TRUE(mecab::refusal(words(63), files).empty());
  EXPECT_FALSE(mecab::refusal(words(64), files).empty());
  EXPECT_EQ(mecab::option_words(" \"a b\"\v\f\r\n-c\xA0"), 3u);  // quotes are no quotes; 0xA0 no space
  files.files = {{"rc", "; partial = 1\n#partial=1\n partial = 1\n"},
                 {"off", "partial = 0\ndicdir = $(rcpath)\\d\n"},
                 {"stop", "no setting\npartial = 1\n"},
                 {"at\\d\\dicrc", "partial = 1\n"},
                 {"at\\rc", "dicdir=$(rcpath)\\d\n"},
                 {"dev", "<device>"}};
  const struct {
    const char* options;
    bool refused;
    std::vector<string> opened;
  } cases[] = {
      {"-F -p -r rc", false, {"rc", ".\\dicrc"}},  // -p is the node format; comments and a key " partial"
      {"-r off -d at\\d", false, {"off", "at\\d\\dicrc"}},  // the mecabrc's 0 stands before the dicrc
      {"-r at\\rc", true, {"at\\rc", "at\\d\\dicrc"}},     // the dicrc in the mecabrc's folder
      {"-r stop -d at\\d", false, {"stop"}},              // MeCab stops at a line without '='
      {"-r missing -p", true, {}},
      {"-r rc -- -p", false, {"rc", ".\\dicrc"}},          // MeCab reads no word after "--"
      {"--bogus -p", false, {}},                          // MeCab refuses the words itself
      {"-d at\\d", true, {"at\\d\\dicrc"}},               // MeCab's own mecabrc is not known
      {"-r dev", true, {"dev"}},
      {"--rcfile=rc --dicdir=dev", false, {"rc", "dev\\dicrc"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    files.opened.clear();
    EXPECT_EQ(!mecab::refusal(c.options, files).empty(), c.refused);
    EXPECT_EQ(files.opened, c.opened);
  }
  for (const char* on : {"1", " 1\r", "+01", "-1", "2", "1 ; comment"}) EXPECT_TRUE(mecab::switched_on(on)) << on;
  for (const char* off : {"", "0", "00 ", "true", "+", "- 1"}) EXPECT_FALSE(mecab::switched_on(off)) << off;
}

TEST(EngineRefusals, HunspellCountsEachDocumentedTable) {
  for (const char* documented : kHunspellCountedLines) {
    string line, small;
    const string text = documented;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
      end = std::min(text.find(' ', at), text.size());
      const string word = text.substr(at, end - at);
      const bool count = word.find("number") != string::npos;
      line += (at ? "\t" : "") + (count ? string("2000000000") : at ? string("A") : word);
      small += (at ? " " : "") + (count ? string("500") : at ? string("A") : word);
    }
    SCOPED_TRACE(line);
    const bridges::CountedTable* table = spell::overcounted_table(line, false, 1000);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->keyword, text.substr(0, text.find(' ')));
    EXPECT_NE(spell::overcounted_table("\xEF\xBB\xBF" + line, true, 1000), nullptr);
    EXPECT_EQ(spell::overcounted_table(small, false, 1000), nullptr);
    EXPECT_NE(spell::overcounted_table(small, false, 999), nullptr);
  }
  EXPECT_EQ(spell::overcounted_table("KEY 2000000000", false, 10), nullptr);
  EXPECT_EQ(spell::overcounted_table("REP -2000000000", false, 10), nullptr);  // Hunspell refuses it
  // A dictionary's first line, as atoi reads it; far past int stays far.
  EXPECT_TRUE(spell::word_count_fits("\xEF\xBB\xBF 50 words", 100));
  EXPECT_FALSE(spell::word_count_fits("51", 100));
  EXPECT_FALSE(spell::word_count_fits("\v+99999999999999999999999", 1 << 30));
}

// Each spelling in a line's option column ("-v --version", "--help/-V"), as
// a word after another option and, for a letter, in a group behind another.
TEST(EngineRefusals, NkfEndsOnEachDocumentedOption) {
  for (const auto& [line, ends] : kNkfHelp) {
    string column = string(line).substr(1, string(line).find("  ") - 1);
    for (char& c : column) c = c == '/' ? ' ' : c;
    std::istringstream spellings(column);
    for (string option; spellings >> option;) {
      option = option.substr(0, option.find('='));
      EXPECT_EQ(bridges::nkf_options_end_process("-s " + option), ends) << option;
      if (option[1] != '-') {
        EXPECT_EQ(bridges::nkf_options_end_process("-s" + option.substr(1)), ends) << option;
      }
    }
  }
}

// Lines as the engines' reads give them, across the reading's 64 KB pieces.
TEST(EngineRefusals, FileLinesAcrossPieces) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const string long_line(70000, 'x');
  const string text = "a\n\n" + long_line + "\nlast";
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  std::vector<string> lines;
  EXPECT_TRUE(bridges::read_lines(file, [&](std::string_view l) { return lines.emplace_back(l), true; }));
  EXPECT_EQ(lines, (std::vector<string>{"a", "", long_line, "last"}));
  std::rewind(file);
  lines.clear();
  EXPECT_FALSE(bridges::read_lines(file, [&](std::string_view l) { return lines.emplace_back(l), lines.size() < 3; }));
  EXPECT_EQ(lines.size(), 3u);
  std::fclose(file);
}

}  // namespace
