// The spell-check bridge with the real Hunspell under Wine: verdicts held
// against `hunspell -a`, suggestions against the same Windows engine called
// directly, the message of each refusal, and dictionaries that are missing
// or cannot be read. Tests run in file order, the first before any load.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "exports/api.h"
#include "real_engines.h"
#include "standin_version.h"
#include "text.h"

namespace {

using namespace bridges_test;
using std::string;

string last_error() { return hunspell_errormessage(); }
// A text export's failure: the empty result, which is not the result buffer.
intptr_t empty_result(const void* p) { return p != GetResult() && *static_cast<const char*>(p) == 0; }

const string kNotLoaded = sjis(u8"libhunspell.dllがロードされていません。");
const string kNoDictionary = sjis(u8"辞書ファイルが設定されていません。");
const string kFilesMissing = sjis(u8"辞書ファイル/接辞ファイルが存在していません。");
const string kNoSuggestions = sjis(u8"Suggestが実行されていないか、候補がありません。");

struct Call {
  const char* what;
  std::function<intptr_t()> call;
  intptr_t expected;
  string message;
};
void expect_calls(const std::vector<Call>& calls) {
  for (const Call& c : calls) {
    EXPECT_EQ(c.call(), c.expected) << c.what;
    EXPECT_EQ(last_error(), c.message) << c.what;
    EXPECT_TRUE(japanese(last_error())) << c.what;
  }
}

// The refusals of every export before and while loading, and which check
// decides when two fail, are in tests/hardening/properties.txt.
TEST(SpellBridge, ModuleFileNameBeforeAndAfterTheLoad) {
  EXPECT_EQ(last_error(), "");
  EXPECT_TRUE(empty_result(hunspell_getmodulefilename()));
  ASSERT_EQ(hunspell_load(""), 1);
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("libhunspell.dll"), path, MAX_PATH), 0u);
  EXPECT_STREQ(hunspell_getmodulefilename(), path);
}

// Copies of Debian's en_US dictionary under other names.
string test_dir(const string& name) { return "spell-test\\" + name; }
void copy_dictionary_as(const string& base) {
  CreateDirectoryA("spell-test", nullptr);
  for (const char* extension : {".aff", ".dic"})
    ASSERT_TRUE(CopyFileA((kHunspellBase + extension).c_str(), test_dir(base + extension).c_str(), FALSE));
}
// The encoding that the affix file names on its SET line.
string affix_encoding() {
  for (const string& line : lines_of(read_bytes(kHunspellBase + ".aff")))
    if (line.rfind("SET ", 0) == 0) return line.substr(4);
  return "";
}

TEST(SpellBridge, DictionaryNamesAndFilesThatAreMissingOrUnreadable) {
  for (const char* base : {"en_US", "words.txt", "locked"}) copy_dictionary_as(base);
  CreateDirectoryA(test_dir("folder.aff").c_str(), nullptr);
  CreateDirectoryA(test_dir("folder.dic").c_str(), nullptr);
  const string long_name = test_dir(string(600, 'n'));
  struct Case {
    string dictionary, affix;
    intptr_t expected;
    string message;     // of a refusal
    string locked = "";  // a file held open with no sharing during the call
  } cases[] = {
      {test_dir("en_US.DIC"), "", 1, ""},
      {test_dir("en_US.aff"), "", 1, ""},
      {test_dir("en_US"), "", 1, ""},
      {test_dir("words.txt"), "", 1, ""},  // words.txt.aff and words.txt.dic
      {test_dir("en_US.dic"), test_dir("en_US.aff"), 1, ""},
      {test_dir("missing.dic"), "", 0, kFilesMissing},
      {test_dir("en_US.dic"), test_dir("missing.aff"), 0, kFilesMissing},
      {test_dir("folder"), "", 0, kFilesMissing},
      {test_dir("locked"), "", 0, kFilesMissing, test_dir("locked.dic")},
      {test_dir("locked"), "", 0, kFilesMissing, test_dir("locked.aff")},
      {test_dir("locked"), "", 1, ""},
      {long_name + ".dic", "", 0, sjis(u8"接辞ファイル名生成に失敗しました。")},
      {long_name + ".aff", "", 0, sjis(u8"辞書ファイル名生成に失敗しました。")},
      {long_name, "", 0, sjis(u8"接辞ファイル名生成に失敗しました。")},
  };
  const string encoding = affix_encoding();
  ASSERT_FALSE(encoding.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dictionary + " | " + c.affix + " | " + c.locked);
    HANDLE lock = c.locked.empty() ? INVALID_HANDLE_VALUE
                                   : CreateFileA(c.locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(hunspell_Create(c.dictionary.c_str(), c.affix.c_str()), c.expected);
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    if (c.expected == 1) {
      EXPECT_EQ(hunspell_Spell("house"), 1);
      EXPECT_STREQ(hunspell_Get_Dic_Encoding(), encoding.c_str());
    } else {
      EXPECT_EQ(last_error(), c.message);
      if (c.message == kFilesMissing) {  // the paths are forgotten
        EXPECT_EQ(hunspell_Spell("house"), -1);
        EXPECT_EQ(last_error(), kNoDictionary);
      }
    }
    ASSERT_EQ(hunspell_SetDictionary(test_dir("en_US").c_str()), 1);  // and the bridge goes on
  }
}

// `hunspell -a` gives each word one line: * + - for a correct word, and
// "& word n offset: suggestion, ..." or "# word offset" for a wrong one.
struct ToolAnswer {
  string word;
  bool correct;
  std::vector<string> suggestions;
};
std::vector<string> split(const string& text, const string& separator) {
  std::vector<string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != string::npos; start = at + separator.size())
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}
std::vector<ToolAnswer> hunspell_a_answers() {
  const std::vector<string> words = lines_of(read_bytes(kAnswers + "spell_words.txt"));
  std::vector<string> lines;
  for (const string& line : lines_of(read_bytes(kAnswers + "hunspell-a.txt")))
    if (!line.empty() && line.rfind("@(#)", 0) != 0) lines.push_back(line);
  std::vector<ToolAnswer> answers;
  for (std::size_t i = 0; i < words.size() && lines.size() == words.size(); ++i) {
    const string& a = lines[i];
    answers.push_back({words[i], a[0] == '*' || a[0] == '+' || a[0] == '-', {}});
    if (a[0] == '&') answers.back().suggestions = split(a.substr(a.find(": ") + 2), ", ");
  }
  return answers;
}

TEST(SpellBridge, VerdictsAgreeWithHunspellA) {
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  const auto answers = hunspell_a_answers();
  ASSERT_GE(answers.size(), 200u);
  int agree = 0, correct = 0;
  for (const ToolAnswer& a : answers) {
    const bool narrow = hunspell_Spell(a.word.c_str()) != 0;
    EXPECT_EQ(narrow, a.correct) << a.word;
    agree += narrow == a.correct;
    correct += a.correct;
  }
  std::printf("[ spell ] hunspell_Spell agrees with hunspell -a on %d of %zu words (%d correct)\n", agree,
              answers.size(), correct);
}

TEST(SpellBridge, SuggestionsAgreeWithTheWindowsEngine) {
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  std::map<string, std::vector<string>> direct;  // hunspell_direct.exe: word, count, suggestions
  for (const string& line : lines_of(read_bytes(kAnswers + "hunspell-direct.txt"))) {
    const std::vector<string> fields = split(line, "\t");
    direct[fields[0]] = std::vector<string>(fields.begin() + 2, fields.end());
  }
  const auto answers = hunspell_a_answers();
  ASSERT_EQ(direct.size(), answers.size());
  // The bridge's list, asked again (up to five times) while it differs: the
  // engine cuts its search short by the clock on a busy machine.
  auto bridge_list = [](const std::function<intptr_t()>& suggest, const std::vector<string>& expected, int& again) {
    std::vector<string> got;
    for (int attempt = 0; attempt < 5; ++attempt, ++again) {
      got.assign(static_cast<std::size_t>(std::max<intptr_t>(suggest(), 0)), "");
      for (std::size_t i = 0; i < got.size(); ++i) got[i] = hunspell_SuggestList(static_cast<intptr_t>(i));
      if (got == expected) break;
    }
    return got;
  };
  int same_lists = 0, wrong_words = 0, same_as_tool = 0, asked_again = 0;
  for (const ToolAnswer& a : answers) {
    SCOPED_TRACE(a.word);
    const std::vector<string>& expected = direct.at(a.word);
    const auto count = static_cast<intptr_t>(expected.size());
    const std::vector<string> narrow = bridge_list([&] { return hunspell_Suggest(a.word.c_str()); }, expected, asked_again);
    EXPECT_EQ(narrow, expected);
    for (intptr_t outside : {count, count + 1, intptr_t{-1}, intptr_t{1} << 40}) {  // read nothing
      EXPECT_TRUE(empty_result(hunspell_SuggestList(outside))) << outside;
      EXPECT_EQ(last_error(), kNoSuggestions) << outside;
      EXPECT_EQ(*hunspell_SuggestListW(outside), 0) << outside;
    }
    same_lists += narrow == expected;
    wrong_words += !a.correct;
    same_as_tool += !a.correct && expected == a.suggestions;
  }
  std::printf("[ spell ] suggestion lists equal to the Windows engine's: %d of %zu words (%d asked again); "
              "equal to hunspell -a's: %d of %d misspelled words\n",
              same_lists, answers.size(), asked_again, same_as_tool, wrong_words);
}

TEST(SpellBridge, AFurtherDictionary) {
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  std::FILE* extra = std::fopen(test_dir("extra.dic").c_str(), "wb");
  ASSERT_NE(extra, nullptr);
  std::fputs("3\nzorblat\nfrobnicatory\nz\xC3\xB6rblat\n", extra);  // the last outside code page 932
  std::fclose(extra);
  EXPECT_EQ(hunspell_Spell("zorblat"), 0);
  EXPECT_EQ(hunspell_AddDictionary(test_dir("extra.dic").c_str()), 1);
  EXPECT_EQ(hunspell_Spell("zorblat") + hunspell_Spell("frobnicatory"), 2);
}

TEST(SpellBridge, FreeUnloadsTheEngine) {
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  ASSERT_GT(hunspell_Suggest("teh"), 0);
  EXPECT_EQ(hunspell_free(), 1);
  EXPECT_EQ(GetModuleHandleA("libhunspell.dll"), nullptr);
  EXPECT_TRUE(empty_result(hunspell_getmodulefilename()));
  expect_calls({
      {"Spell", [] { return hunspell_Spell("house"); }, -1, kNotLoaded},
      {"SuggestList", [] { return empty_result(hunspell_SuggestList(0)); }, 1, kNotLoaded},
      {"free again", [] { return hunspell_free(); }, 1, kNotLoaded},
  });
}

// Last: once a forwarded export of the stand-in has been resolved, Wine keeps
// the real engine loaded until the process ends.
TEST(SpellBridge, VersionFromAStandInThatHasTheExport) {
  ASSERT_EQ(hunspell_load("hunspell_versioned.dll"), 1);
  EXPECT_STREQ(hunspell_GetVersion(), "libhunspell.dll Version." HUNSPELL_STANDIN_VERSION);
  const string module = hunspell_getmodulefilename();
  EXPECT_EQ(module.substr(module.rfind('\\') + 1), "hunspell_versioned.dll");
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);  // the rest is the real engine
  EXPECT_EQ(hunspell_Spell("house"), 1);
}

}  // namespace
