// The MeCab bridge with the real MeCab under Wine: its four analyses held
// byte for byte against Debian's `mecab` on the same texts, the option-length
// edges, MeCab's own texts for refused options and failed analyses, and a
// dictionary that is missing or cannot be read. Tests run in file order.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "exports/api.h"
#include "real_engines.h"
#include "text.h"

namespace {

using namespace bridges_test;
using std::string;

const string kOptions = "-d " + kIpadic;
string error_message() { return mecab_errormessage(); }
// The last call's code, and exactly the bridge's message for it, which a macro can show.
void expect_code(intptr_t code) {
  EXPECT_EQ(mecab_error(), code);
  EXPECT_EQ(error_message(), mecab_message(code));
  EXPECT_TRUE(japanese(error_message()));
}

// The same Windows MeCab called directly, for what MeCab itself says.
struct DirectMeCab {
  HMODULE library = LoadLibraryA("libmecab.dll");
  ~DirectMeCab() { FreeLibrary(library); }
  template <class Fn>
  Fn get(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  }
  void* tagger(const string& options) const { return get<void* (*)(const char*)>("mecab_new2")(options.c_str()); }
  void* model(const string& options) const { return get<void* (*)(const char*)>("mecab_model_new2")(options.c_str()); }
  void destroy(void* tagger) const { get<void (*)(void*)>("mecab_destroy")(tagger); }
  string error(void* tagger) const { return get<const char* (*)(void*)>("mecab_strerror")(tagger); }
};

// The codes of the calls before and while loading, and which check decides
// when two fail, are in tests/hardening/properties.txt.
TEST(MeCabBridge, VersionAndModuleFileName) {
  ASSERT_EQ(mecab_load(""), 1);
  EXPECT_EQ(mecab_error(), mecab_code::ok);
  DirectMeCab direct;
  EXPECT_EQ(mecab_version(), string(direct.get<const char* (*)()>("mecab_version")()));
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(direct.library, path, MAX_PATH), 0u);
  EXPECT_STREQ(mecab_getmodulefilename(), path);
}

// One text of engine_tools.sh with what `mecab` made of it.
struct Analysed {
  string key, text, plain, wakati, yomi, nbest;
  int n;
};
Analysed analysed(const string& key) {
  const string base = kAnswers + "mecab\\" + key;
  return {key, read_bytes(base + ".text"), read_bytes(base + ".plain"), read_bytes(base + ".wakati"),
          read_bytes(base + ".yomi"), read_bytes(base + ".nbest"), std::atoi(read_bytes(base + ".n").c_str())};
}

// MeCab 0.996 drops what does not fit and still reports success: at the
// result buffer's first 4096 bytes this text comes back cut, far from full.
TEST(MeCabBridge, AnOutputLongerThanTheBufferComesBackWhole) {
  const Analysed a = analysed("over4096");
  ASSERT_GT(a.plain.size(), 4096u);
  DirectMeCab direct;
  void* tagger = direct.tagger(kOptions);
  ASSERT_NE(tagger, nullptr);
  std::vector<char> out(4096);
  const auto parse = direct.get<const char* (*)(void*, const char*, std::size_t, char*, std::size_t)>("mecab_sparse_tostr3");
  const char* cut = parse(tagger, a.text.data(), a.text.size(), out.data(), out.size());
  direct.destroy(tagger);
  ASSERT_NE(cut, nullptr);
  EXPECT_LT(string(cut).size(), 4096u - 2);
  EXPECT_NE(string(cut), a.plain);

  EXPECT_EQ(mecab(kOptions.c_str(), a.text.c_str()), a.plain);
  EXPECT_EQ(mecab_error(), mecab_code::ok);
}

TEST(MeCabBridge, AgreesWithMeCabByteForByte) {
  std::vector<Analysed> all;
  for (int k = 1; !read_bytes(kAnswers + "mecab\\" + std::to_string(k) + ".text").empty(); ++k)
    all.push_back(analysed(std::to_string(k)));
  ASSERT_GE(all.size(), 50u);
  all.push_back(analysed("long"));
  int plain = 0, wakati = 0, yomi = 0, nbest = 0;
  auto same = [](const string& got, const string& expected, int& count) {
    EXPECT_EQ(got, expected);
    count += got == expected;
  };
  for (const Analysed& a : all) {
    SCOPED_TRACE(a.key);
    const char* o = kOptions.c_str();
    const char* t = a.text.c_str();
    same(mecab(o, t), a.plain, plain);
    EXPECT_STREQ(mecab_getstrerror(), "");
    same(mecab_wakati(o, t), a.wakati, wakati);
    same(mecab_getyomi(o, t), a.yomi, yomi);
    same(mecab_nbest(o, t, a.n), a.nbest, nbest);
    EXPECT_EQ(mecab_error(), mecab_code::ok);
  }
  const int n = static_cast<int>(all.size());
  std::printf("[ mecab ] equal to `mecab` on %d texts: plain %d, -O wakati %d, -O yomi %d, -N %d\n", n, plain, wakati,
              yomi, nbest);
}

TEST(MeCabBridge, OptionLengthEdges) {
  const Analysed a = analysed("1");
  // MeCab splits options on white space, so trailing spaces pad them.
  struct Case {
    std::size_t longest;
    std::function<const char*(const string&)> call;
    string expected;
  } cases[] = {
      {2047, [&](const string& o) { return mecab(o.c_str(), a.text.c_str()); }, a.plain},
      {2032, [&](const string& o) { return mecab_getyomi(o.c_str(), a.text.c_str()); }, a.yomi},
      {2030, [&](const string& o) { return mecab_wakati(o.c_str(), a.text.c_str()); }, a.wakati},
      {2043, [&](const string& o) { return mecab_nbest(o.c_str(), a.text.c_str(), a.n); }, a.nbest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.longest);
    const string longest = kOptions + string(c.longest - kOptions.size(), ' ');
    EXPECT_EQ(c.call(longest), c.expected);
    EXPECT_EQ(mecab_error(), mecab_code::ok);
    EXPECT_STREQ(c.call(longest + " "), "");
    expect_code(1);
  }
}

// Refused when the tagger is made: code 7, whose message says to name the
// dictionary and then gives MeCab's own text. MeCab's mecab_new2 leaves that
// text empty; the bridge gives the one MeCab keeps for a model of the same
// options. The bridge goes on afterwards.
TEST(MeCabBridge, RefusedOptionsAndDictionaries) {
  const Analysed a = analysed("2");
  struct Case {
    const char* what;
    string options;
    bool lock_dictionary;
  } cases[] = {
      {"unknown option", kOptions + " --no-such-option", false},
      {"missing dictionary", "-d Z:\\no\\such\\dictionary", false},
      {"dictionary that cannot be read", kOptions, true},
  };
  DirectMeCab direct;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // The bridge keeps its taggers, and so their dictionary, open until MeCab
    // is freed.
    if (c.lock_dictionary) {
      ASSERT_EQ(mecab_free() + mecab_load(""), 2);
    }
    HANDLE lock = c.lock_dictionary ? CreateFileA((kIpadic + "\\sys.dic").c_str(), GENERIC_READ, 0, nullptr,
                                                  OPEN_EXISTING, 0, nullptr)
                                    : INVALID_HANDLE_VALUE;
    ASSERT_EQ(lock != INVALID_HANDLE_VALUE, c.lock_dictionary);
    EXPECT_STREQ(mecab(c.options.c_str(), a.text.c_str()), "");
    EXPECT_EQ(mecab_error(), mecab_code::options_refused);
    const string text = mecab_getstrerror();
    EXPECT_EQ(error_message(), mecab_message(7) + (text.empty() ? "" : ": " + text));
    EXPECT_EQ(direct.tagger(c.options), nullptr);
    EXPECT_EQ(direct.error(nullptr), "");
    EXPECT_EQ(direct.model(c.options), nullptr);
    EXPECT_EQ(text, direct.error(nullptr));
    EXPECT_NE(text, "");
    std::printf("[ mecab ] %s: code 7, MeCab's text \"%s\"\n", c.what, text.c_str());
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
    EXPECT_EQ(mecab(kOptions.c_str(), a.text.c_str()), a.plain);
    EXPECT_STREQ(mecab_getstrerror(), "");
  }
}

TEST(MeCabBridge, AFailedAnalysisKeepsMeCabsText) {
  const Analysed a = analysed("3");
  DirectMeCab direct;
  const auto nbest = direct.get<const char* (*)(void*, std::size_t, const char*, std::size_t, char*, std::size_t)>(
      "mecab_nbest_sparse_tostr3");
  for (intptr_t n : {0, 513}) {
    SCOPED_TRACE(n);
    EXPECT_STREQ(mecab_nbest(kOptions.c_str(), a.text.c_str(), n), "");
    expect_code(4);
    void* tagger = direct.tagger("-l1 " + kOptions);
    std::vector<char> out(65536);
    EXPECT_EQ(nbest(tagger, static_cast<std::size_t>(n), a.text.data(), a.text.size(), out.data(), out.size()), nullptr);
    EXPECT_EQ(mecab_getstrerror(), direct.error(tagger));
    std::printf("[ mecab ] N = %d: code 4, MeCab's text \"%s\"\n", static_cast<int>(n), mecab_getstrerror());
    direct.destroy(tagger);
  }
}

TEST(MeCabBridge, FreeUnloadsTheEngine) {
  EXPECT_EQ(mecab_free(), 1);
  expect_code(0);
  EXPECT_EQ(GetModuleHandleA("libmecab.dll"), nullptr);
  EXPECT_STREQ(mecab(kOptions.c_str(), "x"), "");
  EXPECT_EQ(mecab_error(), mecab_code::not_loaded);
  EXPECT_EQ(mecab_free(), 1);
}

}  // namespace
