// Properties that hold for every export, checked on scripts of calls in the
// reference's examples format (tools/examples.h): properties.txt, written by
// hand, with what oracle.py adds from Python's urllib and codecs when the
// tests run. Each call's result is held to the one after its arrow, and:
// - before a call marked ! both result buffers are filled; the call gives its
//   failure, a text export the empty text (not what filled its buffer);
// - before a call not marked ! of an export that resets its family's state,
//   that state is set: the call clears the slots' error word (of the bit set
//   before it) and MeCab's or NKF's code;
// - a section named "twins: ..." runs again with each export replaced by its
//   wide twin in the table (exports/table.h), texts in UTF-16: the same
//   results, and the failures where the narrow ones fail.
// The tests then hold the scripts to the table: every twin pair and every
// resetting export is among them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bridges/engine_refusals.h"
#include "calls.h"
#include "exports/api.h"
#include "files.h"
#include "frame/result_buffer.h"
#include "sandbox.h"
#include "text.h"
#include "tools/examples.h"

namespace {

namespace ex = lmx::examples;
using namespace hardening;
using std::string;
using std::wstring;

// The scripts' folder; their paths are absolute in it.
const wstring kFolder = L"C:\\lmx-props";
constexpr std::size_t kFill = 300;
const string kFiller(kFill, '\x7F');

void fill_buffers() {
  String(kFill, "\x7F");
  SetUTF16ConvertString(kFiller.c_str());
}

string bytes_of(const ex::Text& t, UINT code_page) {
  string out;
  for (const auto& p : t) out += p.raw ? p.bytes : encoded(code_page, decoded(CP_UTF8, p.bytes));
  return out;
}
wstring wide_of(const ex::Text& t) {
  wstring out;
  for (const auto& p : t) out += decoded(p.raw ? 932 : CP_UTF8, p.bytes);
  return out;
}
string shown(const wstring& w) { return encoded(CP_UTF8, w); }

// The exports that read their family's state without resetting it.
const std::set<string> kReaders = {"FileClose", "FileDelete", "FileError", "mecab_error", "mecab_errormessage",
                                   "mecab_getstrerror", "mecab_getmodulefilename", "nkf_error", "nkf_errormessage",
                                   "nkf_getkanjicode", "nkf_getmodulefilename"};
// A family's state as a call leaves it, set to a failure before a resetting call.
struct Family {
  const char* name;
  void (*set)();
  bool (*cleared)();
};
const Family kFamilies[] = {
    {"text_files", [] { IsOpen(0); }, [] { return !(FileError() & 16); }},
    {"mecab_bridge", [] { mecab("", ""); }, [] { return mecab_error() == 0; }},
    {"nkf_bridge", [] { nkf_exec("", ""); }, [] { return nkf_error() == 0; }},
};
const Family* resetting_family(const lmx::ExportInfo& e) {
  if (kReaders.count(e.name)) return nullptr;
  for (const Family& f : kFamilies)
    if (string(e.family) == f.name) return &f;
  return nullptr;
}

struct Seen {
  std::set<string> twins, resets;
  std::map<std::size_t, wstring> narrow_results;  // by line, for the twins' run
};

// One section of a script, run with the narrow exports or with their twins.
class Section {
 public:
  Section(const ex::Examples& x, const ex::Entry& entry, bool wide, Seen& seen)
      : x_(x), entry_(entry), wide_(wide), seen_(seen) {}

  void run() {
    for (const auto& step : entry_.steps)
      if (!step.is_call) write_file(step.file);
    for (const auto& step : entry_.steps)
      if (step.is_call) call(step.call, step.line);
  }

 private:
  void write_file(const ex::File& f) {
    string bytes = f.encoding == "cp932" ? bytes_of(f.content, 932) : ex::joined(f.content);
    if (f.encoding == "utf8bom") bytes = "\xEF\xBB\xBF" + bytes;
    if (f.encoding == "utf16le") {
      const wstring w = wide_of(f.content);
      bytes = "\xFF\xFE" + string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
    }
    write_bytes(encoded(CP_ACP, wide_of(f.path)), bytes);
  }

  void call(const ex::Call& c, std::size_t line) {
    SCOPED_TRACE("properties.txt:" + std::to_string(line + 1) + (wide_ ? " (the wide twins)" : "") + ": " + x_.lines[line]);
    if (c.name == "FileBytes")  // not an export: a file's bytes
      return expect_text(read_bytes(encoded(CP_ACP, wide_of(c.args.at(0).text))), c);
    const Export* narrow = find_export(c.name);
    ASSERT_TRUE(narrow && c.args.size() == std::strlen(narrow->info.kinds)) << "no export with these arguments";
    const Export* e = narrow;
    if (entry_.name.starts_with("twins: ")) {
      const std::size_t twin = lmx::wide_twin(static_cast<std::size_t>(&narrow->info - lmx::kExportInfo));
      if (twin < lmx::kExportCount) {
        seen_.twins.insert(c.name);
        if (wide_) e = &exports()[twin];
      }
    }
    const UINT code_page = c.has("utf8") ? CP_UTF8 : 932;
    Arg args[8];
    std::vector<string> narrow_texts(c.args.size());
    std::vector<wstring> wide_texts(c.args.size());
    for (std::size_t k = 0; k < c.args.size(); ++k) {
      const ex::Arg& a = c.args[k];
      narrow_texts[k] = bytes_of(a.text, code_page);
      wide_texts[k] = wide_of(a.text);
      ASSERT_TRUE(a.kind != ex::Arg::variable || variables_.count(a.source)) << a.source << " is set by no earlier call";
      args[k] = {a.kind == ex::Arg::variable ? variables_[a.source] : a.number, narrow_texts[k].c_str(), wide_texts[k].c_str()};
    }
    const Family* family = c.failure ? nullptr : resetting_family(e->info);
    if (c.failure) fill_buffers();
    if (family) family->set();
    const Outcome r = e->call(args);
    if (!c.variable.empty()) variables_[c.variable] = r.i;
    wstring seen;  // the result as the twins compare it
    if (r.kind == 'I') {
      seen = std::to_wstring(r.i);
      EXPECT_TRUE(!c.failure || e->info.failure.is(r.i)) << r.i << " is not the failure of " << e->info.name;
      if (c.result.kind == ex::Result::integer && !(wide_ && c.failure)) {
        EXPECT_EQ(r.i, c.result.number);
      }
    } else if (r.kind == 'S') {
      const string text = static_cast<const char*>(r.p);
      seen = decoded(code_page, text);
      EXPECT_TRUE(!c.failure || text.empty()) << "a failure with the text " << hex(text);
      expect_text(text, c);
    } else {
      seen = static_cast<const wchar_t*>(r.p);
      EXPECT_TRUE(!c.failure || seen.empty()) << "a failure with the text " << shown(seen);
      if (c.result.kind == ex::Result::string) {
        EXPECT_EQ(shown(seen), shown(wide_of(expected(c))));
      }
    }
    // The twin gives what its narrow export gave; where their failures differ
    // (hunspell_Remove 0, hunspell_RemoveW -1), each gives its own.
    const bool own_failure = c.failure && (e->info.failure.value != narrow->info.failure.value ||
                                           e->info.failure.other != narrow->info.failure.other);
    if (!wide_) {
      seen_.narrow_results[line] = seen;
    } else if (!own_failure) {
      EXPECT_EQ(shown(seen), shown(seen_.narrow_results[line])) << "the wide twin and the narrow export differ";
    }
    if (family) {
      seen_.resets.insert(e->info.name);
      EXPECT_TRUE(family->cleared()) << e->info.name << " left the " << family->name << " state of the call before it";
    }
  }

  static ex::Text expected(const ex::Call& c) {
    ex::Text text;
    std::size_t i = 0;
    ex::detail::read_quoted(c.result_source, i, text);
    return text;
  }
  static void expect_text(const string& narrow, const ex::Call& c) {
    if (c.result.kind == ex::Result::string) {
      EXPECT_EQ(hex(narrow), hex(bytes_of(expected(c), c.has("utf8") ? CP_UTF8 : 932)));
    }
  }

  const ex::Examples& x_;
  const ex::Entry& entry_;
  const bool wide_;
  Seen& seen_;
  std::map<string, intptr_t> variables_;
};

// Runs first, while the result buffer has its first size. The wide word
// exports convert into it, grown when the UTF-8 word with its terminator does
// not fit: a word that just fits and one a byte longer reach the bridge's
// next check (Hunspell not loaded) as the narrow export's do.
TEST(GrowthEdges, WideWordsAtTheResultBuffersFirstSize) {
  for (std::size_t length : {lmx::kResultInitial - 1, lmx::kResultInitial}) {
    const string word(length, 'a');
    const intptr_t narrow = hunspell_Spell(word.c_str());
    const string message = hunspell_errormessage();
    EXPECT_EQ(hunspell_SpellW(wstring(word.begin(), word.end()).c_str()), narrow) << length;
    EXPECT_EQ(hex(hunspell_errormessage()), hex(message)) << length;
  }
}

// Texts whose results need more than the cap of 1,000,000 with the
// terminator: refused, and a conversion, whose text is the buffer it
// names, leaves nothing there of what the buffer held before.
TEST(Properties, BeyondTheCap) {
  const wstring kana(lmx::kResultCap / 3 + 1, L'\x3042');  // three UTF-8 bytes each
  fill_buffers();
  EXPECT_EQ(SetUTF8ConvertString(kana.c_str()), 0);
  EXPECT_STREQ(GetResult(), "");
  EXPECT_EQ(SetUTF16ConvertString(string(lmx::kResultCap, 'a').c_str()), 0);
  EXPECT_STREQ(GetResultW(), L"");
  fill_buffers();
  // Escaped, three bytes a byte.
  EXPECT_STREQ(UrlEncodeW(wstring(lmx::kResultCap / 9 + 1, L'\x3042').c_str(), 0), L"");
  EXPECT_STREQ(UrlEncode(string(lmx::kResultCap / 3 + 1, ' ').c_str(), 1), "");
}

// Every section, in order, in one folder; then the scripts against the table.
TEST(Properties, EveryScriptAndTheTable) {
  const string text = read_bytes(executable_folder() + L"properties.txt");
  ASSERT_FALSE(text.empty()) << "no properties.txt beside the test: run it through ctest";
  const ex::Examples x = ex::parse(text);
  for (const string& fault : x.faults) ADD_FAILURE() << "properties.txt, " << fault;
  remove_tree(kFolder);
  CreateDirectoryW(kFolder.c_str(), nullptr);
  SetCurrentDirectoryW(kFolder.c_str());
  Seen seen;
  for (const ex::Entry& entry : x.entries) {
    Section(x, entry, false, seen).run();
    if (entry.name.starts_with("twins: ")) Section(x, entry, true, seen).run();
  }
  for (intptr_t h = 1; h <= 10; ++h) FileClose(h);
  SetCurrentDirectoryW(executable_folder().c_str());
  remove_tree(kFolder);

  std::size_t twins = 0, resets = 0;
  for (std::size_t i = 0; i < lmx::kExportCount; ++i) {
    const lmx::ExportInfo& e = lmx::kExportInfo[i];
    if (lmx::wide_twin(i) < lmx::kExportCount) {
      ++twins;
      EXPECT_TRUE(seen.twins.count(e.name)) << e.name << " and its wide twin are in no twins section";
    }
    if (resetting_family(e)) {
      ++resets;
      EXPECT_TRUE(seen.resets.count(e.name)) << e.name << " resets its family's state in no call of the scripts";
    }
  }
  std::printf("[ properties ] %zu sections: %zu twin pairs of the table, %zu exports that reset their family's state\n",
              x.entries.size(), twins, resets);
}

// nkf ends the process on these; the list as the documentation gives it,
// kept apart from the library's.
const char* const kEndingOptions[] = {"-v", "-V", "--help", "--version"};
bool g_engine_may_end = false;

// Each of the library's options that end nkf, in each form nkf reads it in,
// through each export that hands options on: refused with code 1. A member
// of the documented list that the library lacks is never sent.
TEST(Refusals, NkfOptionsThatEndTheProcess) {
  std::vector<string> members;
  for (char letter : lmx::bridges::kNkfEndingLetters) members.push_back(string("-") + letter);
  for (std::string_view name : lmx::bridges::kNkfEndingLongOptions) members.push_back("--" + string(name));
  for (const char* documented : kEndingOptions)
    EXPECT_NE(std::find(members.begin(), members.end(), documented), members.end()) << documented << " is not refused";
  std::atexit([] {
    if (!g_engine_may_end) return;
    std::fflush(stdout);
    std::fputs("NKF32.DLL was given an option that ends the process\n", stderr);
    _exit(3);
  });
  const Sandbox box(L"lmx-refusals");
  box.write(L"in.txt", "abc\n");
  ASSERT_EQ(nkf_load(""), 1);
  g_engine_may_end = true;
  for (const string& m : members) {
    // Alone, after another option, after what nkf skips in a word, and a
    // letter in a group and with no dash at all.
    const bool named = m[1] == '-';
    for (const string& form : {m, "-s " + m, "-s x" + m, named ? "x -s " + m : "-s" + m.substr(1), named ? "x " + m : m.substr(1)}) {
      EXPECT_STREQ(nkf_exec(form.c_str(), "abc"), "") << form;
      EXPECT_EQ(nkf_error(), 1) << form;
      EXPECT_EQ(nkf_fileconvert1("in.txt", form.c_str()), 0) << form;
      EXPECT_EQ(nkf_error(), 1) << form;
      EXPECT_EQ(nkf_fileconvert2("in.txt", "out.txt", form.c_str()), 0) << form;
      EXPECT_EQ(nkf_error(), 1) << form;
    }
  }
  g_engine_may_end = false;
  EXPECT_EQ(read_bytes(string("in.txt")), "abc\n");
  nkf_free();
}

}  // namespace
