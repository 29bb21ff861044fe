// The MeCab bridge with the real MeCab under Wine: its four analyses held
// byte for byte against Debian's `mecab` on the same texts, the option-length
// edges, MeCab's own texts for refused options and failed analyses, and a
// dictionary that is missing or cannot be read. The first test runs before
// anything is loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "real_engines.h"
#include "exports/api.h"
#include "text.h"

namespace {

using namespace bridges_test;
using std::string;

const string kOptions = "-d " + kIpadic;

// The same Windows MeCab, called directly, for what MeCab itself says.
class DirectMeCab {
 public:
  DirectMeCab() : library_(LoadLibraryA("libmecab.dll")) {}
  ~DirectMeCab() {
    if (library_) FreeLibrary(library_);
  }
  DirectMeCab(const DirectMeCab&) = delete;
  DirectMeCab& operator=(const DirectMeCab&) = delete;
  template <class Fn>
  Fn get(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
  }
  void* new_tagger(const string& options) const { return get<void* (*)(const char*)>("mecab_new2")(options.c_str()); }
  void destroy(void* tagger) const { get<void (*)(void*)>("mecab_destroy")(tagger); }
  string strerror(void* tagger) const {
    const char* text = get<const char* (*)(void*)>("mecab_strerror")(tagger);
    return text ? text : "(null)";
  }
  const char* parse(void* tagger, const string& text, char* out, std::size_t capacity) const {
    return get<const char* (*)(void*, const char*, std::size_t, char*, std::size_t)>("mecab_sparse_tostr3")(
        tagger, text.data(), text.size(), out, capacity);
  }
  const char* nbest(void* tagger, std::size_t n, const string& text, char* out, std::size_t capacity) const {
    return get<const char* (*)(void*, std::size_t, const char*, std::size_t, char*, std::size_t)>(
        "mecab_nbest_sparse_tostr3")(tagger, n, text.data(), text.size(), out, capacity);
  }
  string version() const { return get<const char* (*)()>("mecab_version")(); }

 private:
  HMODULE library_;
};

string message(const char8_t* utf8) { return sjis(utf8); }
string error_message() { return mecab_errormessage(); }

TEST(MeCabBridge, BeforeLoadAndLoadFailures) {
  EXPECT_EQ(mecab_error(), 0);
  EXPECT_EQ(error_message(), message(u8"エラーなし"));
  struct Case {
    const char* what;
    std::function<const char*()> call;
  } texts[] = {
      {"mecab", [] { return mecab(kOptions.c_str(), "x"); }},
      {"mecab_wakati", [] { return mecab_wakati(kOptions.c_str(), "x"); }},
      {"mecab_getyomi", [] { return mecab_getyomi(kOptions.c_str(), "x"); }},
      {"mecab_nbest", [] { return mecab_nbest(kOptions.c_str(), "x", 2); }},
      {"mecab_version", [] { return mecab_version(); }},
  };
  for (const Case& c : texts) {
    EXPECT_STREQ(c.call(), "") << c.what;
    EXPECT_EQ(mecab_error(), 3) << c.what;
    EXPECT_EQ(error_message(), message(u8"DLLがロードされていない")) << c.what;
    EXPECT_EQ(mecab_free(), 1);
    EXPECT_EQ(mecab_error(), 0);
  }
  EXPECT_STREQ(mecab_getmodulefilename(), "");
  EXPECT_EQ(mecab_load("no-such-engine.dll"), 0);
  EXPECT_EQ(mecab_error(), 3);
  EXPECT_EQ(mecab_load("lorimax.dll"), 0);
  EXPECT_EQ(mecab_error(), 5);
  EXPECT_EQ(error_message(), message(u8"関数アドレス取得に失敗"));
  EXPECT_STREQ(mecab_getmodulefilename(), "");
}

TEST(MeCabBridge, LoadVersionAndModuleName) {
  ASSERT_EQ(mecab_load(""), 1);
  EXPECT_EQ(mecab_error(), 0);
  DirectMeCab direct;
  EXPECT_EQ(mecab_version(), direct.version());
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("libmecab.dll"), path, MAX_PATH), 0u);
  EXPECT_STREQ(mecab_getmodulefilename(), path);
  EXPECT_STREQ(mecab(kOptions.c_str(), ""), "");
  EXPECT_EQ(mecab_error(), 2);
  EXPECT_EQ(error_message(), message(u8"引数のアクセスに失敗"));
}

// One text of engine_tools.sh with what `mecab` made of it.
struct Analysed {
  string key, text, plain, wakati, yomi, nbest;
  int n;
};
Analysed analysed(const string& key) {
  const string base = kAnswers + "mecab\\" + key;
  return {key, bytes_of(base + ".text"), bytes_of(base + ".plain"), bytes_of(base + ".wakati"),
          bytes_of(base + ".yomi"), bytes_of(base + ".nbest"), std::atoi(bytes_of(base + ".n").c_str())};
}
std::vector<Analysed> all_analysed() {
  std::vector<Analysed> all;
  for (int k = 1;; ++k) {
    Analysed a = analysed(std::to_string(k));
    if (a.text.empty()) break;
    all.push_back(a);
  }
  all.push_back(analysed("long"));
  all.push_back(analysed("over4096"));
  return all;
}

// MeCab 0.996 drops what does not fit and still reports success; at the
// result buffer's first 4096 bytes this text would come back cut.
TEST(MeCabBridge, AnOutputLongerThanTheBufferComesBackWhole) {
  ASSERT_EQ(mecab_load(""), 1);
  const Analysed a = analysed("over4096");
  ASSERT_GT(a.plain.size(), 4096u);
  DirectMeCab direct;
  void* tagger = direct.new_tagger(kOptions);
  ASSERT_NE(tagger, nullptr);
  std::vector<char> out(4096);
  const char* cut = direct.parse(tagger, a.text, out.data(), out.size());
  direct.destroy(tagger);
  ASSERT_NE(cut, nullptr);                  // success reported...
  EXPECT_LT(string(cut).size(), 4096u - 2);  // ...far from full...
  EXPECT_NE(string(cut), a.plain);           // ...and yet cut

  EXPECT_EQ(mecab(kOptions.c_str(), a.text.c_str()), a.plain);
  EXPECT_EQ(mecab_error(), 0);
}

TEST(MeCabBridge, AgreesWithMeCabByteForByte) {
  ASSERT_EQ(mecab_load(""), 1);
  const std::vector<Analysed> all = all_analysed();
  ASSERT_GE(all.size(), 52u);
  int plain = 0, wakati = 0, yomi = 0, nbest = 0;
  for (const Analysed& a : all) {
    SCOPED_TRACE(a.key);
    const char* o = kOptions.c_str();
    const string got_plain = mecab(o, a.text.c_str());
    EXPECT_EQ(got_plain, a.plain);
    EXPECT_EQ(mecab_error(), 0);
    EXPECT_STREQ(mecab_getstrerror(), "");
    const string got_wakati = mecab_wakati(o, a.text.c_str());
    EXPECT_EQ(got_wakati, a.wakati);
    const string got_yomi = mecab_getyomi(o, a.text.c_str());
    EXPECT_EQ(got_yomi, a.yomi);
    const string got_nbest = mecab_nbest(o, a.text.c_str(), a.n);
    EXPECT_EQ(got_nbest, a.nbest);
    EXPECT_EQ(mecab_error(), 0);
    plain += got_plain == a.plain;
    wakati += got_wakati == a.wakati;
    yomi += got_yomi == a.yomi;
    nbest += got_nbest == a.nbest;
  }
  std::printf("[ mecab ] equal to `mecab` on %zu texts: plain %d, -O wakati %d, -O yomi %d, -N %d\n", all.size(),
              plain, wakati, yomi, nbest);
}

TEST(MeCabBridge, OptionLengthEdges) {
  ASSERT_EQ(mecab_load(""), 1);
  const Analysed a = analysed("1");
  // MeCab splits options on white space, so trailing spaces pad them.
  struct Case {
    const char* what;
    std::size_t longest;
    std::function<const char*(const string&)> call;
    string expected;
  } cases[] = {
      {"mecab", 2047, [&](const string& o) { return mecab(o.c_str(), a.text.c_str()); }, a.plain},
      {"mecab_getyomi", 2032, [&](const string& o) { return mecab_getyomi(o.c_str(), a.text.c_str()); }, a.yomi},
      {"mecab_wakati", 2030, [&](const string& o) { return mecab_wakati(o.c_str(), a.text.c_str()); }, a.wakati},
      {"mecab_nbest", 2043, [&](const string& o) { return mecab_nbest(o.c_str(), a.text.c_str(), a.n); }, a.nbest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const string longest = kOptions + string(c.longest - kOptions.size(), ' ');
    EXPECT_EQ(c.call(longest), c.expected);
    EXPECT_EQ(mecab_error(), 0);
    EXPECT_STREQ(c.call(longest + " "), "");
    EXPECT_EQ(mecab_error(), 1);
    EXPECT_EQ(error_message(), message(u8"オプションの設定に失敗"));
  }
}

// MeCab refuses the options when it makes the tagger: code 7 with MeCab's own
// text, the one it gives for the same options called directly. A dictionary
// that is missing or cannot be read is refused so, and the bridge goes on.
TEST(MeCabBridge, RefusedOptionsAndDictionaries) {
  ASSERT_EQ(mecab_load(""), 1);
  const Analysed a = analysed("2");
  const string sys_dic = kIpadic + "\\sys.dic";
  HANDLE lock = INVALID_HANDLE_VALUE;
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
    if (c.lock_dictionary) {
      lock = CreateFileA(sys_dic.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    }
    EXPECT_STREQ(mecab(c.options.c_str(), a.text.c_str()), "");
    EXPECT_EQ(mecab_error(), 7);
    const string bridge_text = mecab_getstrerror();
    EXPECT_EQ(error_message(), bridge_text);
    ASSERT_EQ(direct.new_tagger(c.options), nullptr);
    EXPECT_EQ(bridge_text, direct.strerror(nullptr));
    std::printf("[ mecab ] %s: code 7, MeCab's text \"%s\"\n", c.what, bridge_text.c_str());
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock), lock = INVALID_HANDLE_VALUE;
    EXPECT_EQ(mecab(kOptions.c_str(), a.text.c_str()), a.plain);
    EXPECT_EQ(mecab_error(), 0);
    EXPECT_STREQ(mecab_getstrerror(), "");
  }
}

TEST(MeCabBridge, AFailedAnalysisKeepsMeCabsText) {
  ASSERT_EQ(mecab_load(""), 1);
  const Analysed a = analysed("3");
  DirectMeCab direct;
  for (intptr_t n : {0, 513}) {
    SCOPED_TRACE(n);
    EXPECT_STREQ(mecab_nbest(kOptions.c_str(), a.text.c_str(), n), "");
    EXPECT_EQ(mecab_error(), 4);
    EXPECT_EQ(error_message(), message(u8"コマンドの実行に失敗"));
    void* tagger = direct.new_tagger("-l1 " + kOptions);
    ASSERT_NE(tagger, nullptr);
    std::vector<char> out(65536);
    EXPECT_EQ(direct.nbest(tagger, static_cast<std::size_t>(n), a.text, out.data(), out.size()), nullptr);
    EXPECT_EQ(mecab_getstrerror(), direct.strerror(tagger));
    direct.destroy(tagger);
  }
}

TEST(MeCabBridge, FreeUnloadsTheEngine) {
  ASSERT_EQ(mecab_load(""), 1);
  EXPECT_EQ(mecab_free(), 1);
  EXPECT_EQ(mecab_error(), 0);
  EXPECT_EQ(error_message(), message(u8"エラーなし"));
  EXPECT_EQ(GetModuleHandleA("libmecab.dll"), nullptr);
  EXPECT_STREQ(mecab_getmodulefilename(), "");
  EXPECT_STREQ(mecab(kOptions.c_str(), "x"), "");
  EXPECT_EQ(mecab_error(), 3);
  EXPECT_EQ(mecab_free(), 1);
}

}  // namespace
