// The spell-check bridge with the real Hunspell under Wine: its verdicts held
// against `hunspell -a`, its suggestions against the same Windows engine
// called directly, the message of every refusal, and dictionaries that are
// missing or cannot be read. The tests run in file order: the first one
// before anything is loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "real_engines.h"
#include "exports/api.h"
#include "standin_version.h"
#include "text.h"

namespace {

using namespace bridges_test;
using std::string;

string last_error() { return hunspell_errormessage(); }
string u8s(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }
std::wstring wide_of_utf8(const string& utf8) { return wide(reinterpret_cast<const char8_t*>(utf8.c_str())); }

const string kNotLoaded = sjis(u8"libhunspell.dllがロードされていません。");
const string kEmptyArgument = sjis(u8"入力文字列にアクセスできません。");
const string kNoDictionary = sjis(u8"辞書ファイルが設定されていません。");
const string kFilesMissing = sjis(u8"辞書ファイル/接辞ファイルが存在していません。");
const string kNoSuggestions = sjis(u8"Suggestが実行されていないか、候補がありません。");
const string kFunctionMissing = sjis(u8"関数を実行できません。");

// A call and what it must give: an integer, or for text exports the empty
// result (checked as an empty string that is not the result buffer).
struct Call {
  const char* what;
  std::function<intptr_t()> integer;
  std::function<const void*()> text;
  intptr_t expected;
  string message;
};

void expect_calls(const std::vector<Call>& calls) {
  for (const Call& c : calls) {
    if (c.integer) {
      EXPECT_EQ(c.integer(), c.expected) << c.what;
    } else {
      const void* got = c.text();
      EXPECT_NE(got, static_cast<const void*>(GetResult())) << c.what;
      EXPECT_EQ(*static_cast<const char*>(got), 0) << c.what;
    }
    EXPECT_EQ(last_error(), c.message) << c.what;
  }
}

const char* as_text(const wchar_t* w) { return reinterpret_cast<const char*>(w); }

TEST(SpellBridge, BeforeLoadEveryCallSaysSo) {
  EXPECT_EQ(last_error(), "");
  EXPECT_STREQ(hunspell_getmodulefilename(), "");
  expect_calls({
      {"Create", [] { return hunspell_Create("x.dic", ""); }, {}, 0, kNotLoaded},
      {"SetDictionary", [] { return hunspell_SetDictionary("x"); }, {}, 0, kNotLoaded},
      {"AddDictionary", [] { return hunspell_AddDictionary("x.dic"); }, {}, -1, kNotLoaded},
      {"Spell", [] { return hunspell_Spell("word"); }, {}, -1, kNotLoaded},
      {"Suggest", [] { return hunspell_Suggest("word"); }, {}, -1, kNotLoaded},
      {"Add", [] { return hunspell_Add("word"); }, {}, -1, kNotLoaded},
      {"Remove", [] { return hunspell_Remove("word"); }, {}, 0, kNotLoaded},
      {"SpellW", [] { return hunspell_SpellW(L"word"); }, {}, -1, kNotLoaded},
      {"SuggestW", [] { return hunspell_SuggestW(L"word"); }, {}, -1, kNotLoaded},
      {"AddW", [] { return hunspell_AddW(L"word"); }, {}, -1, kNotLoaded},
      {"RemoveW", [] { return hunspell_RemoveW(L"word"); }, {}, 0, kNotLoaded},
      {"SuggestList", {}, [] { return static_cast<const void*>(hunspell_SuggestList(0)); }, 0, kNotLoaded},
      {"Get_Dic_Encoding", {}, [] { return static_cast<const void*>(hunspell_Get_Dic_Encoding()); }, 0, kNotLoaded},
      {"GetVersion", {}, [] { return static_cast<const void*>(hunspell_GetVersion()); }, 0, kNotLoaded},
      // The wide word exports look at their argument first.
      {"SpellW empty", [] { return hunspell_SpellW(L""); }, {}, -1, kEmptyArgument},
      {"RemoveW empty", [] { return hunspell_RemoveW(L""); }, {}, -1, kEmptyArgument},
  });
  EXPECT_STREQ(as_text(hunspell_SuggestListW(0)), "");
  EXPECT_EQ(hunspell_free(), 1);
}

TEST(SpellBridge, LoadFailures) {
  expect_calls({
      {"no such file", [] { return hunspell_load("no-such-engine.dll"); }, {}, 0,
       sjis(u8"libhunspell.dllの読み込みに失敗しました。")},
      {"a library without Hunspell's exports", [] { return hunspell_load("lorimax.dll"); }, {}, 0,
       sjis(u8"関数の読み込みに失敗しました。")},
      {"and it was freed again", [] { return hunspell_Spell("word"); }, {}, -1, kNotLoaded},
  });
  EXPECT_STREQ(hunspell_getmodulefilename(), "");
}

TEST(SpellBridge, LoadedWithoutDictionary) {
  ASSERT_EQ(hunspell_load(""), 1);
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("libhunspell.dll"), path, MAX_PATH), 0u);
  EXPECT_STREQ(hunspell_getmodulefilename(), path);
  expect_calls({
      {"Spell", [] { return hunspell_Spell("word"); }, {}, -1, kNoDictionary},
      {"AddDictionary", [] { return hunspell_AddDictionary("x.dic"); }, {}, -1, kNoDictionary},
      {"Get_Dic_Encoding", {}, [] { return static_cast<const void*>(hunspell_Get_Dic_Encoding()); }, 0,
       sjis(u8"hunspell_Createが失敗しているが、実行されていません。")},
      // The real Hunspell has no Hunspell_getversion.
      {"GetVersion", {}, [] { return static_cast<const void*>(hunspell_GetVersion()); }, 0, kFunctionMissing},
      {"Create without a name", [] { return hunspell_Create("", "x.aff"); }, {}, 0,
       sjis(u8"入力文字列が設定されていません。")},
  });
}

// A folder of copies of Debian's en_US dictionary under other names.
string test_dir(const string& name = "") { return "spell-test\\" + name; }

void copy_dictionary_as(const string& base) {
  CreateDirectoryA("spell-test", nullptr);
  ASSERT_TRUE(CopyFileA((kHunspellBase + ".aff").c_str(), test_dir(base + ".aff").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((kHunspellBase + ".dic").c_str(), test_dir(base + ".dic").c_str(), FALSE));
}

// The encoding that the affix file names on its SET line.
string affix_encoding() {
  for (const string& line : lines_of(bytes_of(kHunspellBase + ".aff")))
    if (line.rfind("SET ", 0) == 0) return line.substr(4);
  return "";
}

TEST(SpellBridge, DictionaryNamesAndFilesThatAreMissing) {
  copy_dictionary_as("en_US");
  copy_dictionary_as("words.txt");
  CreateDirectoryA(test_dir("folder.aff").c_str(), nullptr);
  CreateDirectoryA(test_dir("folder.dic").c_str(), nullptr);
  const string long_name = test_dir(string(600, 'n'));
  struct Case {
    string dictionary, affix;
    intptr_t expected;
    string message;  // of a refusal
  } cases[] = {
      {test_dir("en_US.DIC"), "", 1, ""},
      {test_dir("en_US.aff"), "", 1, ""},
      {test_dir("en_US"), "", 1, ""},
      {test_dir("words.txt"), "", 1, ""},  // words.txt.aff and words.txt.dic
      {test_dir("en_US.dic"), test_dir("en_US.aff"), 1, ""},
      {test_dir("missing.dic"), "", 0, kFilesMissing},
      {test_dir("en_US.dic"), test_dir("missing.aff"), 0, kFilesMissing},
      {test_dir("folder"), "", 0, kFilesMissing},
      {long_name + ".dic", "", 0, sjis(u8"接辞ファイル名生成に失敗しました。")},
      {long_name + ".aff", "", 0, sjis(u8"辞書ファイル名生成に失敗しました。")},
      {long_name, "", 0, sjis(u8"接辞ファイル名生成に失敗しました。")},
  };
  const string encoding = affix_encoding();
  ASSERT_FALSE(encoding.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dictionary + " | " + c.affix);
    EXPECT_EQ(hunspell_Create(c.dictionary.c_str(), c.affix.c_str()), c.expected);
    if (c.expected == 1) {
      EXPECT_EQ(hunspell_Spell("house"), 1);
      EXPECT_STREQ(hunspell_Get_Dic_Encoding(), encoding.c_str());
    } else {
      EXPECT_EQ(last_error(), c.message);
    }
    // After every case the bridge still takes a good dictionary.
    ASSERT_EQ(hunspell_SetDictionary(test_dir("en_US").c_str()), 1);
  }
  // Missing files forget the paths, so words wait for a new dictionary.
  EXPECT_EQ(hunspell_SetDictionary(test_dir("missing").c_str()), 0);
  EXPECT_EQ(hunspell_Spell("house"), -1);
  EXPECT_EQ(last_error(), kNoDictionary);
}

TEST(SpellBridge, ADictionaryThatCannotBeRead) {
  copy_dictionary_as("locked");
  HANDLE lock = CreateFileA(test_dir("locked.dic").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(hunspell_SetDictionary(test_dir("locked").c_str()), 0);
  EXPECT_EQ(last_error(), kFilesMissing);
  CloseHandle(lock);
  EXPECT_EQ(hunspell_SetDictionary(test_dir("locked").c_str()), 1);
  EXPECT_EQ(hunspell_Spell("house"), 1);
}

// `hunspell -a` answers each word with one line: * + - for a correct word,
// & word n offset: suggestions, or # word offset for a wrong one.
struct ToolAnswer {
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
std::vector<std::pair<string, ToolAnswer>> hunspell_a_answers() {
  const std::vector<string> words = lines_of(bytes_of(kAnswers + "spell_words.txt"));
  std::vector<string> answers;
  for (const string& line : lines_of(bytes_of(kAnswers + "hunspell-a.txt")))
    if (!line.empty() && line.rfind("@(#)", 0) != 0) answers.push_back(line);
  std::vector<std::pair<string, ToolAnswer>> out;
  if (answers.size() != words.size()) return out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const string& a = answers[i];
    ToolAnswer answer{a[0] == '*' || a[0] == '+' || a[0] == '-', {}};
    if (a[0] == '&') answer.suggestions = split(a.substr(a.find(": ") + 2), ", ");
    out.emplace_back(words[i], answer);
  }
  return out;
}

TEST(SpellBridge, VerdictsAgreeWithHunspellA) {
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  const auto answers = hunspell_a_answers();
  ASSERT_GE(answers.size(), 200u);
  int agree = 0, agree_wide = 0, correct = 0;
  for (const auto& [word, answer] : answers) {
    const bool narrow = hunspell_Spell(word.c_str()) != 0;
    const bool wide_verdict = hunspell_SpellW(wide_of_utf8(word).c_str()) != 0;
    EXPECT_EQ(narrow, answer.correct) << word;
    EXPECT_EQ(wide_verdict, answer.correct) << word;
    agree += narrow == answer.correct;
    agree_wide += wide_verdict == answer.correct;
    correct += answer.correct;
  }
  std::printf("[ spell ] hunspell_Spell agrees with hunspell -a on %d of %zu words (%d correct ones), "
              "hunspell_SpellW on %d\n", agree, answers.size(), correct, agree_wide);
}

// hunspell_direct.exe's lines: word, count, suggestions, TAB-separated.
std::map<string, std::vector<string>> direct_suggestions() {
  std::map<string, std::vector<string>> out;
  for (const string& line : lines_of(bytes_of(kAnswers + "hunspell-direct.txt"))) {
    std::vector<string> fields = split(line, "\t");
    if (fields.size() < 2) continue;
    out[fields[0]] = std::vector<string>(fields.begin() + 2, fields.end());
  }
  return out;
}

TEST(SpellBridge, SuggestionsAgreeWithTheWindowsEngine) {
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  const auto answers = hunspell_a_answers();
  const auto direct = direct_suggestions();
  ASSERT_EQ(direct.size(), answers.size());
  int same_lists = 0, wrong_words = 0, same_as_tool = 0;
  for (const auto& [word, answer] : answers) {
    SCOPED_TRACE(word);
    const std::vector<string>& expected = direct.at(word);
    const auto count = static_cast<intptr_t>(expected.size());
    bool same = true;
    for (int twin = 0; twin < 2; ++twin) {
      ASSERT_EQ(twin ? hunspell_SuggestW(wide_of_utf8(word).c_str()) : hunspell_Suggest(word.c_str()), count);
      for (intptr_t i = 0; i < count; ++i) {
        const string got = hunspell_SuggestList(i);
        EXPECT_EQ(got, expected[i]) << i;
        same = same && got == expected[i];
        EXPECT_EQ(std::wstring(hunspell_SuggestListW(i)), wide_of_utf8(expected[i])) << i;
      }
    }
    // Indexes outside the list read nothing.
    for (intptr_t outside : {count, count + 1, intptr_t{-1}, intptr_t{1} << 40}) {
      EXPECT_STREQ(hunspell_SuggestList(outside), "") << outside;
      EXPECT_EQ(last_error(), kNoSuggestions) << outside;
      EXPECT_STREQ(as_text(hunspell_SuggestListW(outside)), "") << outside;
    }
    same_lists += same;
    if (!answer.correct) {
      ++wrong_words;
      same_as_tool += expected == answer.suggestions;
    }
  }
  std::printf("[ spell ] suggestion lists equal to the Windows engine's: %d of %zu words; "
              "equal to hunspell -a's: %d of %d misspelled words\n",
              same_lists, answers.size(), same_as_tool, wrong_words);
}

TEST(SpellBridge, RunTimeWordsAndAFurtherDictionary) {
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  EXPECT_EQ(hunspell_Spell("lorimaxish"), 0);
  EXPECT_EQ(hunspell_Add("lorimaxish"), 1);
  EXPECT_EQ(hunspell_Spell("lorimaxish"), 1);
  EXPECT_EQ(hunspell_Remove("lorimaxish"), 1);
  EXPECT_EQ(hunspell_Spell("lorimaxish"), 0);

  const std::wstring katakana = wide(u8"ロリマックス");
  EXPECT_EQ(hunspell_SpellW(katakana.c_str()), 0);
  EXPECT_EQ(hunspell_AddW(katakana.c_str()), 1);
  EXPECT_EQ(GetResult(), u8s(u8"ロリマックス"));  // the word as UTF-8 stays behind
  EXPECT_EQ(hunspell_SpellW(katakana.c_str()), 1);
  EXPECT_EQ(hunspell_RemoveW(katakana.c_str()), 1);
  EXPECT_EQ(hunspell_SpellW(katakana.c_str()), 0);

  CreateDirectoryA("spell-test", nullptr);
  {
    std::FILE* extra = std::fopen(test_dir("extra.dic").c_str(), "wb");
    ASSERT_NE(extra, nullptr);
    std::fputs("2\nzorblat\nfrobnicatory\n", extra);
    std::fclose(extra);
  }
  EXPECT_EQ(hunspell_Spell("zorblat"), 0);
  EXPECT_EQ(hunspell_AddDictionary(test_dir("extra.dic").c_str()), 1);
  EXPECT_EQ(hunspell_Spell("zorblat"), 1);
  EXPECT_EQ(hunspell_Spell("frobnicatory"), 1);

  const string extra_missing = sjis(u8"追加辞書ファイルが存在していません。");
  expect_calls({
      {"AddDictionary missing", [] { return hunspell_AddDictionary(test_dir("nothere.dic").c_str()); }, {}, -1,
       extra_missing},
      {"AddDictionary folder", [] { return hunspell_AddDictionary("spell-test"); }, {}, -1, extra_missing},
      {"AddDictionary empty", [] { return hunspell_AddDictionary(""); }, {}, -1, kEmptyArgument},
      {"Spell empty", [] { return hunspell_Spell(""); }, {}, -1, kEmptyArgument},
      {"Suggest empty", [] { return hunspell_Suggest(""); }, {}, -1, kEmptyArgument},
      {"Add empty", [] { return hunspell_Add(""); }, {}, -1, sjis(u8"引数が不正です")},
      {"Remove empty", [] { return hunspell_Remove(""); }, {}, 0, kEmptyArgument},
      {"AddW empty", [] { return hunspell_AddW(L""); }, {}, -1, kEmptyArgument},
      {"SuggestW empty", [] { return hunspell_SuggestW(L""); }, {}, -1, kEmptyArgument},
  });
}

TEST(SpellBridge, FreeUnloadsTheEngine) {
  ASSERT_EQ(hunspell_load(""), 1);
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);
  ASSERT_GT(hunspell_Suggest("teh"), 0);
  EXPECT_EQ(hunspell_free(), 1);
  EXPECT_EQ(GetModuleHandleA("libhunspell.dll"), nullptr);
  EXPECT_STREQ(hunspell_getmodulefilename(), "");
  EXPECT_EQ(hunspell_Spell("house"), -1);
  EXPECT_EQ(last_error(), kNotLoaded);
  EXPECT_STREQ(hunspell_SuggestList(0), "");
  EXPECT_EQ(hunspell_free(), 1);
}

// Last: Wine keeps the real engine loaded once a forwarded export of the
// stand-in has been resolved, so no test after it sees Hunspell unloaded.
TEST(SpellBridge, VersionFromAStandInThatHasTheExport) {
  ASSERT_EQ(hunspell_load("hunspell_versioned.dll"), 1);
  EXPECT_STREQ(hunspell_GetVersion(), "libhunspell.dll Version." HUNSPELL_STANDIN_VERSION);
  const string module = hunspell_getmodulefilename();
  EXPECT_EQ(module.substr(module.rfind('\\') + 1), "hunspell_versioned.dll");
  ASSERT_EQ(hunspell_SetDictionary(kHunspellBase.c_str()), 1);  // the rest is the real engine
  EXPECT_EQ(hunspell_Spell("house"), 1);
  ASSERT_EQ(hunspell_load(""), 1);
  EXPECT_STREQ(hunspell_GetVersion(), "");
  EXPECT_EQ(last_error(), kFunctionMissing);
}

}  // namespace
