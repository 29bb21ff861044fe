// Writes the reference of every export, in Japanese and English, from the
// table (exports/table.h), its Japanese companion (exports/table_ja.h), the
// examples with what the library gave (exports/examples.txt) and the bridges'
// own message tables:
//   gen_reference md      docs/reference.md
//   gen_reference html    docs/reference.html, one page with its CSS and script
//   gen_reference names   the export names, one a line, in table order
// It refuses to write anything when the two tables disagree or an example
// does not fit its export or lacks its results, so the reference cannot drift
// from the library.

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "exports/call_form.h"
#include "exports/failure_reasons.h"
#include "frame/messages.h"
#include "exports/info.h"
#include "exports/result_buffers.h"
#include "exports/table_ja.h"
#include "tools/examples.h"

#ifndef LORIMAX_SOURCE_DIR
#define LORIMAX_SOURCE_DIR "."
#endif
#ifndef LORIMAX_VERSION
#define LORIMAX_VERSION "0.0.0"
#endif

namespace {

struct Ja {
  const char* name;
  const char* meaning;
};
#define LMX_JA_(name, meaning) {#name, meaning},
constexpr Ja kJa[] = {LMX_JA_EXPORTS(LMX_JA_)};
#undef LMX_JA_

struct Family {
  const char* id;
  const char* title_ja;
  const char* title_en;
  const char* intro_ja;
  const char* intro_en;
};
#define LMX_FAMILY_(id, title_ja, title_en, intro_ja, intro_en) {#id, title_ja, title_en, intro_ja, intro_en},
constexpr Family kFamilies[] = {LMX_REFERENCE_FAMILIES(LMX_FAMILY_)};
#undef LMX_FAMILY_

// The row of `table` whose `key` member is `id`, or null.
template <class Row, std::size_t N>
const Row* row_of(const Row (&table)[N], const char* Row::*key, const char* id) {
  for (const Row& r : table)
    if (std::strcmp(r.*key, id) == 0) return &r;
  return nullptr;
}

// A text in both languages.
struct Both {
  std::string ja, en;
};

std::vector<std::string> g_faults;
void fault(const std::string& what) { g_faults.push_back(what); }

// --- the call form and the example ------------------------------------------

using lmx::call_form;  // the rule, kept once in exports/call_form.h

// --- kinds, results and failures ----------------------------------------------

std::vector<std::string> argument_names(const lmx::ExportInfo& e) {
  std::vector<std::string> names;
  std::string_view rest = e.arg_names;
  for (std::size_t k = 0; e.kinds[k]; ++k) {
    const std::size_t comma = rest.find(", ");
    names.emplace_back(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 2);
  }
  return names;
}

Both kind_text(char k) {
  if (k == 'I') return {"数値", "integer"};
  if (k == 'S') return {"文字列", "string"};
  return {"UTF-16 文字列", "wide string"};
}

std::string number(intptr_t v) { return v == 0xFFFFFFFF ? "4294967295" : std::to_string(static_cast<long long>(v)); }

Both result_text(const lmx::ExportInfo& e) {
  if (e.result[0] == 'S') return {"文字列", "string"};
  if (e.result[0] == 'W') return {"UTF-16 文字列", "wide string (UTF-16)"};
  const auto [lowest, highest] = e.range;
  if (lowest == INTPTR_MIN && highest == INTPTR_MAX) return {"数値", "integer"};
  if (highest == INTPTR_MAX) return {"数値、" + number(lowest) + " 以上", "integer, " + number(lowest) + " or more"};
  if (lowest == highest) return {"数値、いつも " + number(lowest), "integer, always " + number(lowest)};
  return {"数値、" + number(lowest) + "～" + number(highest), "integer, " + number(lowest) + " to " + number(highest)};
}

// Why an export gives a failure value, where the value alone does not say.
struct Reason {
  const char* name;
  intptr_t value;
  const char *en, *ja;
};
#define LMX_REASON_(name, value, en, ja) {#name, value, en, ja},
constexpr Reason kReasons[] = {LMX_FAILURE_REASONS(LMX_REASON_)};
#undef LMX_REASON_

// A failure value with its reason, when it has one.
Both value_text(const lmx::ExportInfo& e, intptr_t value) {
  Both t = {number(value), number(value)};
  for (const Reason& r : kReasons)
    if (r.name == std::string_view(e.name) && r.value == value) {
      t.ja += " (" + std::string(r.ja) + ")";
      t.en += " (" + std::string(r.en) + ")";
    }
  return t;
}

void check_reasons() {
  for (const Reason& r : kReasons) {
    const lmx::ExportInfo* e = row_of(lmx::kExportInfo, &lmx::ExportInfo::name, r.name);
    if (!e) fault(std::string(r.name) + ": a failure reason for no export");
    else if (!e->failure.is(r.value))
      fault(std::string(r.name) + ": a reason for " + std::to_string(r.value) + ", which is no failure value of it");
  }
}

Both failure_text(const lmx::ExportInfo& e) {
  Both t;
  switch (e.failure.kind) {
    case lmx::Failure::value:
      t = value_text(e, e.failure.value);
      if (e.failure.other != INTPTR_MIN) {
        const Both other = value_text(e, e.failure.other);
        t.ja += " または " + other.ja;
        t.en += " or " + other.en;
      }
      break;
    case lmx::Failure::empty: t = {"空の結果 (空文字列)", "the empty result (an empty string)"}; break;
    case lmx::Failure::none: t = {"失敗しません", "cannot fail"}; break;
    case lmx::Failure::by_arguments: t = {"引数 failure の値", "the value of its failure argument"}; break;
  }
  // The marks: arguments that always give the failure.
  const auto names = argument_names(e);
  Both always;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const lmx::ArgMark& m = e.marks[k];
    Both one;
    if (m.limits_path())
      one = {names[k] + " が " + std::to_string(m.longest) + " 文字より長いとき",
             names[k] + " over " + std::to_string(m.longest) + " characters"};
    if (m.kind == lmx::Mark::file)
      one = {one.ja + "、デバイス名 (NUL、COM1、aux.txt など) のとき", one.en + " or naming a device (NUL, COM1, aux.txt ...)"};
    if (m.kind == lmx::Mark::window) one = {names[k] + " がウィンドウでないとき", names[k] + " not a window"};
    if (m.kind == lmx::Mark::slot) one = {names[k] + " が開いていないとき", names[k] + " not open"};
    if (one.ja.empty()) continue;
    always.ja += (always.ja.empty() ? "" : "、") + one.ja;
    always.en += (always.en.empty() ? "" : ", ") + one.en;
  }
  if (!always.ja.empty()) {
    t.ja += " (" + always.ja + "は必ずこの値)";
    t.en += " (always for " + always.en + ")";
  }
  return t;
}

// --- the result buffers ---------------------------------------------------------

// Which buffer an export writes and where its returned text lives: a text
// export writes the buffer of its kind and returns it; the exceptions are
// listed in exports/result_buffers.h.
Both buffer_text(const lmx::ExportInfo& e) {
  for (const auto& x : lmx::kResultBufferExceptions)
    if (x.name == e.name) return {x.ja, x.en};
  if (e.result[0] == 'S')
    return {"結果バッファ。次に結果バッファへ書く呼び出しまで有効です",
            "the result buffer: valid until the next call that writes it"};
  if (e.result[0] == 'W')
    return {"ワイド結果バッファ。次にワイド結果バッファへ書く呼び出しまで有効です",
            "the wide result buffer: valid until the next call that writes it"};
  return {"なし (結果バッファに書きません)", "none (writes no result buffer)"};
}

// --- the families' codes and messages (exports/messages.txt) -------------------

struct Message {
  std::string key;  // the code, or the name where the family numbers none
  Both text;
};
struct MessageTable {
  const char* family;
  std::vector<Message> rows;
};

#define LMX_MESSAGE_ROW_(code, name, cp932, ja, en) \
  Message{(code) < 0 ? std::string(#name) : std::to_string(code), Both{ja, en}},
const MessageTable kMessageTables[] = {
    {"text_files", {LMX_MESSAGES_text_files(LMX_MESSAGE_ROW_)}},
    {"spell_bridge", {LMX_MESSAGES_spell_bridge(LMX_MESSAGE_ROW_)}},
    {"mecab_bridge", {LMX_MESSAGES_mecab_bridge(LMX_MESSAGE_ROW_) LMX_MESSAGES_mecab_reasons(LMX_MESSAGE_ROW_)}},
    {"nkf_bridge", {LMX_MESSAGES_nkf_bridge(LMX_MESSAGE_ROW_)}},
    {"editorconfig", {LMX_MESSAGES_editorconfig(LMX_MESSAGE_ROW_)}},
};
#undef LMX_MESSAGE_ROW_

std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  if (!in) fault("cannot read " + path);
  return s.str();
}

// --- the examples (exports/examples.txt) ------------------------------------

namespace ex = lmx::examples;

const ex::Examples& examples() {
  static const ex::Examples x = [] {
    ex::Examples parsed = ex::parse(file_text(std::string(LORIMAX_SOURCE_DIR) + "/exports/examples.txt"));
    for (const auto& f : parsed.faults) fault("exports/examples.txt: " + f);
    return parsed;
  }();
  return x;
}

const lmx::ExportInfo* export_named(const std::string& name) {
  for (const auto& e : lmx::kExportInfo)
    if (name == e.name) return &e;
  return nullptr;
}

// Whether `r` is the failure that `e` promises for the call `c`.
bool is_failure(const lmx::ExportInfo& e, const ex::Call& c, const ex::Result& r) {
  switch (e.failure.kind) {
    case lmx::Failure::value: return r.kind == ex::Result::integer && e.failure.is(r.number);
    case lmx::Failure::empty: return r.kind == ex::Result::string && r.text.empty();
    case lmx::Failure::by_arguments: {
      const auto names = argument_names(e);
      for (std::size_t k = 0; k < names.size(); ++k)
        if (names[k] == "failure") return r.kind == ex::Result::integer && r.number == c.args[k].number;
      return false;
    }
    case lmx::Failure::none: return false;
  }
  return false;
}

// What a result varies with, by its note; the reference names it instead of a value.
struct Varies {
  const char* note;
  Both text;
};
const Varies kVaries[] = {
    {"handle", {"ウィンドウハンドル (実行ごとに変わります)", "a window handle (differs at every run)"}},
    {"clock", {"いまの時刻による値", "depends on the clock"}},
    {"system", {"この PC の設定や状態による値", "depends on the machine"}},
    {"editor", {"秀丸エディタが答える値", "what the editor answers"}},
    {"engine", {"使うエンジンの版による値", "depends on the engine's version"}},
};

// The checks of one export's example against the table: its calls fit their
// exports, every result was written by a run, a failure example gives the
// failure, and an export that can fail has one.
void check_example(const lmx::ExportInfo& e, const ex::Entry& entry) {
  const std::string where = std::string("exports/examples.txt, ") + e.name + ": ";
  bool own_call = false, failure_call = false;
  std::set<std::string> variables;
  for (const auto& step : entry.steps) {
    if (!step.is_call) continue;
    const ex::Call& c = step.call;
    const std::string at = where + "line " + std::to_string(step.line + 1) + ": ";
    const lmx::ExportInfo* callee = export_named(c.name);
    if (!callee) {
      fault(at + "no export named " + c.name);
      continue;
    }
    const std::size_t count = std::strlen(callee->kinds);
    if (c.args.size() != count) {
      fault(at + c.name + " takes " + std::to_string(count) + " arguments, not " + std::to_string(c.args.size()));
      continue;
    }
    for (std::size_t k = 0; k < count; ++k) {
      const ex::Arg& a = c.args[k];
      if ((a.kind == ex::Arg::string) != (callee->kinds[k] != 'I'))
        fault(at + "argument " + std::to_string(k + 1) + " (" + a.source + ") is not " +
              (callee->kinds[k] == 'I' ? "a number" : "a string"));
      if (a.kind == ex::Arg::string && ex::has_raw(a.text)) fault(at + "a macro string has no \\x escape");
      if (a.kind == ex::Arg::variable && !variables.count(a.source)) fault(at + a.source + " is set by no earlier call");
    }
    if (!c.variable.empty()) {
      if (callee->result[0] != 'I') fault(at + c.variable + " keeps a number, and " + c.name + " gives none");
      variables.insert(c.variable);
    }
    bool varies = false;
    for (const auto& note : c.notes) {
      const bool known = note == "utf8" || row_of(kVaries, &Varies::note, note.c_str());
      if (!known) fault(at + "a note not known: " + note);
      varies = varies || (known && note != "utf8");
    }
    if (c.result.kind == ex::Result::none) {
      fault(at + "no result: run make docs");
      continue;
    }
    if (varies != (c.result.kind == ex::Result::varies)) fault(at + "the result does not fit the notes");
    if (c.name != e.name) continue;
    if (c.failure && !is_failure(e, c, c.result)) fault(at + "the failure example does not give the failure");
    (c.failure ? failure_call : own_call) = true;
  }
  if (!own_call && !failure_call) fault(where + "no call of the export itself");
  const bool can_fail = e.failure.kind != lmx::Failure::none;
  if (!can_fail && (failure_call || !entry.no_failure.empty())) fault(where + "a failure example of an export that cannot fail");
  if (can_fail && !failure_call && entry.no_failure.empty())
    fault(where + "no failure example (! ...), and no line saying why");
  if (failure_call && !entry.no_failure.empty()) fault(where + "a failure example, and a line saying there is none");
}

// A text result as the reference shows it: as it is, or quoted when blanks at
// its ends or control characters would not show.
std::string shown_text(const std::string& t) {
  bool plain = !t.empty() && t.front() != ' ' && t.back() != ' ';
  for (const char c : t) plain = plain && static_cast<unsigned char>(c) >= 0x20;
  return plain ? t : ex::quoted(t);
}

// One line of the example block: the macro statement, then what it gave.
struct ExampleLine {
  std::string code, result;  // the result part starts "// "
};

std::string both(const Both& b) { return b.ja + " / " + b.en; }

std::vector<ExampleLine> example_lines(const ex::Entry& entry) {
  std::vector<ExampleLine> lines;
  for (const auto& step : entry.steps) {
    if (!step.is_call) {
      const ex::File& f = step.file;
      const std::string encoding = f.encoding == "utf16le" ? " (UTF-16LE)"
                                   : f.encoding == "utf8bom" ? " (BOM 付き UTF-8 / UTF-8 with a BOM)"
                                   : f.encoding == "utf8"    ? " (UTF-8)"
                                                             : "";
      lines.push_back({"", "// " + both({"ファイル", "file"}) + " " + ex::joined(f.path) + encoding + ": " +
                               f.content_source});
      continue;
    }
    const ex::Call& c = step.call;
    const lmx::ExportInfo& e = *export_named(c.name);
    std::string code = (c.variable.empty() ? e.result[0] == 'I' ? "#n" : "$s" : c.variable) + " = " + call_form(e) +
                       "(#dll, \"" + e.name + "\"";
    for (const auto& a : c.args) code += ", " + a.source;
    code += ");";
    std::string result = "// " + std::string(ex::kArrow) + " ";
    switch (c.result.kind) {
      case ex::Result::integer: result += std::to_string(static_cast<long long>(c.result.number)); break;
      case ex::Result::string: result += shown_text(c.result.text); break;
      default:
        for (const auto& v : kVaries)
          if (c.has(v.note)) result += both(v.text);
    }
    if (c.has("utf8")) result += " (" + both({"UTF-8 のバイト列", "as UTF-8 bytes"}) + ")";
    if (c.failure) result += " (" + both({"失敗", "failure"}) + ")";
    lines.push_back({code, result});
    if (c.result.editor)
      lines.push_back({"", "// " + both({"秀丸エディタが実行するマクロ", "the editor runs"}) + ": " +
                               ex::quoted(c.result.editor_text)});
  }
  return lines;
}

// --- the two documents ---------------------------------------------------------

struct Entry {
  const lmx::ExportInfo* info;
  const Ja* ja;
  const ex::Entry* example;
};

// The failure values are written from the table's F() and marks: a meaning
// that writes one of them as a number says it a second time, and may say it
// wrong. Numbers are read as the prose shows them (-1, 0, 12900).
void check_meaning(const lmx::ExportInfo& e, const std::string& meaning, const char* language) {
  if (e.failure.kind != lmx::Failure::value) return;
  for (std::size_t i = 0; i < meaning.size(); ++i) {
    const auto digit = [&](std::size_t k) { return k < meaning.size() && std::isdigit(static_cast<unsigned char>(meaning[k])); };
    const auto word = [&](std::size_t k) {
      return std::isalnum(static_cast<unsigned char>(meaning[k])) || meaning[k] == '.' || meaning[k] == '_';
    };
    const bool minus = meaning[i] == '-' && digit(i + 1);
    if (!(digit(i) || minus) || (i > 0 && word(i - 1))) continue;
    std::size_t end = i + 1;
    while (digit(end)) ++end;
    // A range of an argument or a result (0 to 3, 0～3) is no failure value.
    const std::string_view rest = std::string_view(meaning).substr(end);
    const bool range = rest.starts_with(" to ") || rest.starts_with("～") || (i >= 4 && meaning.substr(i - 4, 4) == " to ") ||
                       (i >= 3 && meaning.substr(i - 3, 3) == "～");
    if (range || (end < meaning.size() && (word(end) || (meaning[end] == ',' && digit(end + 1))))) {
      i = end;
      continue;
    }
    const intptr_t n = std::strtoll(meaning.substr(i, end - i).c_str(), nullptr, 10);
    if (e.failure.is(n))
      fault(std::string(e.name) + ": its " + language + " meaning writes its failure value " + std::to_string(n) +
            " (the reference writes it from the table)");
    i = end;
  }
}

std::vector<Entry> merged_entries() {
  std::map<std::string, const Ja*> by_name;
  for (const auto& j : kJa)
    if (!by_name.emplace(j.name, &j).second) fault(std::string(j.name) + ": two Japanese entries");
  std::map<std::string, const ex::Entry*> example_of;
  for (const auto& x : examples().entries)
    if (!example_of.emplace(x.name, &x).second) fault(x.name + ": two examples in exports/examples.txt");
  std::set<std::string> exports;
  std::vector<Entry> entries;
  for (const auto& e : lmx::kExportInfo) {
    exports.insert(e.name);
    const auto j = by_name.find(e.name);
    const auto x = example_of.find(e.name);
    if (j == by_name.end()) fault(std::string(e.name) + ": no Japanese entry in exports/table_ja.h");
    if (x == example_of.end()) fault(std::string(e.name) + ": no example in exports/examples.txt");
    if (!call_form(e)) fault(std::string(e.name) + ": no macro call passes a narrow result with wide arguments");
    if (j == by_name.end() || x == example_of.end()) continue;
    check_example(e, *x->second);
    check_meaning(e, e.meaning, "English");
    check_meaning(e, j->second->meaning, "Japanese");
    entries.push_back({&e, j->second, x->second});
  }
  for (const auto& j : kJa)
    if (!exports.count(j.name)) fault(std::string(j.name) + ": a Japanese entry for no export of exports/table.h");
  for (const auto& [name, x] : example_of)
    if (!exports.count(name)) fault(name + ": an example in exports/examples.txt for no export");
  std::set<std::string> families;
  for (const auto& f : kFamilies) families.insert(f.id);
  for (const auto& e : lmx::kExportInfo)
    if (!families.count(e.family)) fault(std::string(e.family) + ": a family without its title and introduction");
  return entries;
}

const Family* family_of(const char* id) { return row_of(kFamilies, &Family::id, id); }

// The families in table order, each with its entries.
std::vector<std::pair<const Family*, std::vector<Entry>>> by_family(const std::vector<Entry>& entries) {
  std::vector<std::pair<const Family*, std::vector<Entry>>> groups;
  for (const auto& e : entries) {
    const Family* f = family_of(e.info->family);
    if (groups.empty() || groups.back().first != f) groups.push_back({f, {}});
    groups.back().second.push_back(e);
  }
  return groups;
}

const MessageTable* messages_for(const char* family) { return row_of(kMessageTables, &MessageTable::family, family); }

Both arguments_text(const lmx::ExportInfo& e) {
  const auto names = argument_names(e);
  if (names.empty()) return {"なし", "none"};
  Both t;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const Both kind = kind_text(e.kinds[k]);
    t.ja += (k ? "、" : "") + names[k] + " (" + kind.ja + ")";
    t.en += (k ? ", " : "") + names[k] + " (" + kind.en + ")";
  }
  return t;
}

const Both kTitle = {"lorimax 関数リファレンス", "lorimax reference"};
// For whoever opens the files in the repository; readers of the page never see it.
constexpr const char* kGenerated =
    "Generated from exports/table.h, exports/table_ja.h and exports/examples.txt by make docs; do not edit by hand.";
// How to read an entry.
const Both kReading[] = {
    {"マクロからは loaddll で読み込み、関数ごとに決まった形で呼び出します。数値を返す関数は dllfunc (UTF-16 の引数があれば dllfuncw)、文字列を返す関数は dllfuncstr (UTF-16 の文字列を返すなら dllfuncstrw) で呼びます。各項目の例の形をそのまま使ってください。",
     "A macro loads the library with loaddll and calls each export in the one form its kinds allow: dllfunc for an integer result without wide arguments, dllfuncw for an integer result with one, dllfuncstr for a string result, dllfuncstrw for a wide string result. Each entry's example shows its form."},
    {"呼び方や引数を間違えると、秀丸エディタは何も言わずにでたらめな値を返します。lorimax.zip の lmx.exe で lmx check マクロ.mac と打つと、マクロの dllfunc・dllfuncstr・dllfuncw・dllfuncstrw の呼び出しのうち関数名を文字列で書いたものをこの表と照らし合わせ、ない関数名 (近い名前を添えて)、合わない呼び方、引数の数の誤り、整数の引数に書いた文字列や文字列の引数に書いた数値を「ファイル名:行:桁: メッセージ」の形で示します。lorimax.dll でない DLL の呼び出しは調べません。何も見つからなければ終了コードは 0、見つかれば 1 です。",
     "A call in the wrong form or with the wrong arguments gives garbage in the editor, without a word. lmx.exe, in the zip, checks a macro against this table: lmx check macro.mac finds each dllfunc, dllfuncstr, dllfuncw and dllfuncstrw call whose export name is a string and reports, as file:line:column: message, a name lorimax does not have (with the nearest names), a form the export's kinds do not allow, a wrong number of arguments, and a string where an integer is due or a number where a string is. Calls into other DLLs than lorimax.dll are left alone. It exits 0 when it finds nothing, 1 when it finds something."},
    {"各項目の例は、#dll = loaddll(\"C:\\\\macro\\\\lorimax.dll\"); の後に続くマクロの一部です。「// → 」の後ろは、その行を実行したときに DLL が実際に返した値です。リファレンスを作るときに DLL を呼んで書き込み、テストで変わっていないことを確かめています。(失敗) の行は失敗する呼び出しの例です。ウィンドウハンドルや時計のように実行のたびに変わる値は、値の代わりに何が返るかを書いています。例が使うファイルは C:\\macro にあり、その中身は「ファイル」の行にあります。",
     "Each entry's example is a piece of a macro that follows #dll = loaddll(\"C:\\\\macro\\\\lorimax.dll\");. After \"// → \" stands what the library gave when the line ran: it is written by calling the library when the reference is made, and a test holds it. A line marked failure is the example of a failing call. Where the value differs from run to run (a window handle, the clock), the example says what it is instead. The files an example uses are in C:\\macro, with their contents on its \"file\" lines."},
    {"数値は 64 ビットの整数です。文字列はコードページ 932 (Shift_JIS) のバイト列で、説明に UTF-8 とあるものだけは UTF-8 です。UTF-16 の引数も、マクロからはふつうの文字列として渡せば dllfuncw / dllfuncstrw が変換します。",
     "Integers are 64-bit. Strings are code page 932 (Shift_JIS) bytes unless the meaning says UTF-8. Wide (UTF-16) arguments are plain strings in the macro: dllfuncw and dllfuncstrw convert them."},
    {"文字列を返す関数は、DLL の中の結果バッファ (文字列用) かワイド結果バッファ (UTF-16 用) に書き、その場所を返します。返された文字列は、同じバッファに書く次の呼び出しまでしか有効でないので、すぐに $ 変数に代入してください。各項目の「結果の置き場所」に、書くバッファと有効な期間があります。",
     "A text export writes the result buffer (narrow) or the wide result buffer (UTF-16) and returns it. The text stays valid only until the next call that writes the same buffer, so assign it to a $ variable at once. Each entry's result buffer line says which buffer it writes and how long its text lasts."},
    {"「失敗時」は失敗したときの戻り値です。文字列の関数は空の結果 (空文字列) を返します。括弧の中は、必ず失敗になる引数です。エラーのメッセージを持つ関数群 (Hunspell、MeCab、NKF、EditorConfig) は、そのメッセージの一覧を関数群の最初に載せています。",
     "Failure is what an export gives when it fails; a text export gives the empty result (an empty string). In brackets, the arguments that always give the failure. The families that keep error messages (Hunspell, MeCab, NKF, EditorConfig) list them at their start."},
    {"外部エンジン (HMJRE.DLL、Hunspell、MeCab、NKF32.DLL) の DLL を名前だけで読み込むときは、1. 秀丸エディタ (ホストのプログラム) のフォルダー、2. lorimax.dll のフォルダー、3. Windows のシステムフォルダーと Windows フォルダー、4. 環境変数 PATH の (フルパスで書かれた) フォルダー、の順に探します。カレントフォルダーは探しません。フォルダーを含む名前を渡せば、そのファイルを読み込みます。",
     "An engine's library (HMJRE.DLL, Hunspell, MeCab, NKF32.DLL) given by bare name is looked for in 1. the folder of the editor (the host program), 2. the folder of lorimax.dll, 3. the system folder and the Windows folder, 4. the folders on PATH (those written in full), in that order; never in the current folder. A name with a folder in it is loaded as given."},
    {"ファイルを開いて読み書きする関数 (テキストファイル、INI ファイルの読み書き、エンコードの判定、エンジンの読み込みと辞書、NKF のファイル変換) は、デバイス名のパスを受け付けず、すぐに失敗を返します。デバイス名とは CON、PRN、AUX、NUL、COM0～COM9、LPT0～LPT9 (上付き数字の ¹²³ も)、CONIN$、CONOUT$ のことで、拡張子が付いていても (aux.txt)、どのフォルダーにあっても、大文字小文字を問わず、\\\\.\\ で始まるパスも同じです。COM1 の読み込みは終わらないことがあり、NUL への書き込みは黙って捨てられるからです。このとき何も変わらず、一時ファイルも残りません。IsFile などの問い合わせの関数は、Windows の答えをそのまま返します。ファイル全体を書き直す関数 (INI ファイルへの書き込み、NKF のファイル変換) は、新しい内容を同じフォルダーの一時ファイル (~lmx で始まる名前) に書いてから置き換えるので、途中で強制終了や停電があっても、ファイルは元の内容か新しい内容のどちらかで残ります。",
     "The exports that open a file for reading or writing (text files, INI reads and writes, the encoding checks, the engines' loads and dictionaries, NKF's file conversions) refuse a path that names a device and fail at once: CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9 (the superscripts ¹²³ too), CONIN$ and CONOUT$, with or without an extension (aux.txt), in any folder and any case, and any path beginning \\\\.\\. A read of COM1 may never return, and a write to NUL is thrown away without a word. Nothing changes and no temporary file is left. The queries (IsFile and the like) report what Windows reports. The exports that rewrite a whole file (INI writes, NKF's file conversions) write the new content into a temporary file in the same folder (a name beginning ~lmx) and then put it in the file's place, so that a kill or a power cut in between leaves the file with its old content or its new content, whole."},
};

std::string html_escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// Prose in Markdown: a "<" would open an HTML tag, a "|" end a table cell.
std::string md_text(std::string_view s) {
  std::string out;
  for (char c : s) out += c == '<' ? std::string("&lt;") : c == '|' ? std::string("\\|") : std::string(1, c);
  return out;
}

void write_markdown(const std::vector<Entry>& entries) {
  const auto groups = by_family(entries);
  std::printf("<!-- %s -->\n\n# %s / %s\n\nlorimax %s\n\n", kGenerated, kTitle.ja.c_str(), kTitle.en.c_str(), LORIMAX_VERSION);
  std::printf("関数は %zu 個です。名前で絞り込める HTML 版は reference.html です。\n%zu exports. reference.html gives the same on one page, with a filter by name.\n\n",
              entries.size(), entries.size());
  std::printf("## 読み方 / How to read\n\n");
  for (const auto& r : kReading) std::printf("%s\n\n%s\n\n", md_text(r.ja).c_str(), md_text(r.en).c_str());
  std::printf("## 目次 / Index\n\n");
  for (const auto& [f, list] : groups)
    std::printf("- [%s / %s](#family-%s) (%zu)\n", f->title_ja, f->title_en, f->id, list.size());
  for (const auto& [f, list] : groups) {
    std::printf("\n<a id=\"family-%s\"></a>\n\n## %s / %s\n\n%s\n\n%s\n", f->id, f->title_ja, f->title_en,
                md_text(f->intro_ja).c_str(), md_text(f->intro_en).c_str());
    if (const MessageTable* table = messages_for(f->id)) {
      std::printf("\n| コード / Code | メッセージ / Message |\n|---|---|\n");
      for (const auto& m : table->rows)
        std::printf("| %s | %s / %s |\n", m.key.c_str(), md_text(m.text.ja).c_str(), md_text(m.text.en).c_str());
    }
    for (const auto& [info, ja, example] : list) {
      const lmx::ExportInfo& e = *info;
      const Both args = arguments_text(e), result = result_text(e), failure = failure_text(e), buffer = buffer_text(e);
      std::printf("\n<a id=\"%s\"></a>\n\n### `%s`\n\n%s  \n%s\n\n", e.name, e.name, md_text(ja->meaning).c_str(),
                  md_text(e.meaning).c_str());
      for (const auto& line : example_lines(*example))
        std::printf("    %s\n", (line.code + (line.code.empty() ? "" : "  ") + line.result).c_str());
      std::printf("\n");
      std::printf("- 引数 / Arguments: %s / %s\n", args.ja.c_str(), args.en.c_str());
      std::printf("- 戻り値 / Result: %s / %s\n", result.ja.c_str(), result.en.c_str());
      std::printf("- 失敗時 / Failure: %s / %s\n", failure.ja.c_str(), failure.en.c_str());
      std::printf("- 結果の置き場所 / Result buffer: %s / %s\n", buffer.ja.c_str(), buffer.en.c_str());
    }
  }
}

constexpr const char* kStyle = R"(
body{margin:0;font-family:"Yu Gothic UI","Yu Gothic","Meiryo","IPAPGothic",sans-serif;color:#222;background:#f6f7f9;line-height:1.55}
header{position:sticky;top:0;z-index:1;display:flex;flex-wrap:wrap;gap:.5em 1.2em;align-items:center;padding:.6em 1.2em;background:#1f3650;color:#fff}
header h1{margin:0;font-size:1.25em} header h1 span{font-weight:normal;font-size:.8em}
#filter{font-size:1em;padding:.3em .6em;min-width:20em;border:0;border-radius:3px}
#shown,#version{font-size:.9em}
.layout{display:grid;grid-template-columns:16em minmax(0,1fr);gap:1.2em;padding:1em 1.2em}
nav{position:sticky;top:4.2em;align-self:start;max-height:calc(100vh - 5em);overflow:auto;font-size:.9em}
nav h2{font-size:1em;margin:.2em 0 .5em} nav ul{list-style:none;margin:0;padding:0} nav li{margin:.15em 0}
nav a{color:#1f3650;text-decoration:none} nav a:hover{text-decoration:underline} nav .n{color:#777}
h2{border-bottom:2px solid #1f3650;padding-bottom:.1em;margin:1.4em 0 .5em}
.pair{display:grid;grid-template-columns:minmax(0,1fr) minmax(0,1fr);gap:1.2em}
.pair>[lang=ja]{border-right:1px solid #e3e3e3;padding-right:1.2em}
[lang=en]{color:#3a3a3a} header [lang=en]{color:#cfd8e3}
.export{background:#fff;border:1px solid #dcdfe4;border-radius:5px;padding:.5em .9em .6em;margin:.7em 0}
.export h3{margin:.1em 0 .35em;font-size:1.05em}
.form{margin-left:.6em;padding:0 .45em;border-radius:3px;background:#e5edf7;font:.8em monospace;vertical-align:middle}
.example{margin:.3em 0 .5em;padding:.3em .6em;background:#f1f2f4;border-radius:3px;white-space:pre-wrap;overflow-wrap:anywhere}
.example .r{color:#2c6e49}
.export p{margin:.1em 0 .3em}
dl{display:grid;grid-template-columns:max-content 1fr;gap:.1em .7em;margin:.2em 0 0;font-size:.9em} dt{color:#666} dd{margin:0}
table{border-collapse:collapse;margin:.6em 0;font-size:.92em;background:#fff} th,td{border:1px solid #cfd3d8;padding:.2em .6em;text-align:left}
[hidden]{display:none!important}
main.filtered{padding-bottom:100vh}
)";

// Narrows the entries to the names holding the filter text; the filter
// starts from the page's ?q= (or #q=), so a link can carry it.
constexpr const char* kScript = R"(
(function () {
  var box = document.getElementById('filter');
  var shown = document.getElementById('shown');
  var header = document.querySelector('header');
  var main = document.querySelector('main');
  var entries = Array.prototype.slice.call(document.querySelectorAll('.export'));
  var families = Array.prototype.slice.call(document.querySelectorAll('.family'));
  var folded = Array.prototype.slice.call(document.querySelectorAll('.intro, .family-intro'));
  function apply() {
    var q = box.value.trim().toLowerCase();
    var count = 0, first = null;
    entries.forEach(function (e) {
      var hit = e.getAttribute('data-name').toLowerCase().indexOf(q) >= 0;
      e.hidden = !hit;
      if (hit) count++;
      if (hit && !first) first = e;
    });
    // While a filter is set the introductions fold away and the first
    // matching entry comes to the top, under the header.
    folded.forEach(function (s) { s.hidden = q.length > 0; });
    main.classList.toggle('filtered', q.length > 0);  // room below, so the first match can come up
    families.forEach(function (f) {
      var left = f.querySelectorAll('.export:not([hidden])').length;
      f.hidden = left === 0;
      var link = document.querySelector('nav [data-family="' + f.id + '"]');
      link.hidden = f.hidden;
      link.querySelector('.n').textContent = '(' + left + ')';
    });
    shown.textContent = count + ' / ' + entries.length;
    if (q && first) window.scrollTo(0, first.getBoundingClientRect().top + window.pageYOffset - header.offsetHeight - 8);
  }
  var q = new URLSearchParams(location.search).get('q');
  if (q === null && location.hash.indexOf('#q=') === 0) q = decodeURIComponent(location.hash.slice(3));
  if (q) box.value = q;
  box.addEventListener('input', apply);
  apply();
})();
)";

void write_pair(const std::string& ja, const std::string& en, const char* tag = "p") {
  std::printf("<div class=\"pair\"><%s lang=\"ja\">%s</%s><%s lang=\"en\">%s</%s></div>\n", tag, ja.c_str(), tag, tag,
              en.c_str(), tag);
}

void write_html(const std::vector<Entry>& entries) {
  const auto groups = by_family(entries);
  std::printf("<!DOCTYPE html>\n<!-- %s -->\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n", kGenerated);
  std::printf("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
  std::printf("<title>%s / %s</title>\n<style>%s</style>\n</head>\n<body>\n", kTitle.ja.c_str(), kTitle.en.c_str(), kStyle);
  std::printf("<header><h1>%s <span lang=\"en\">%s</span></h1>\n<span id=\"version\">lorimax %s</span>\n", kTitle.ja.c_str(),
              kTitle.en.c_str(), LORIMAX_VERSION);
  std::printf("<input id=\"filter\" type=\"search\" placeholder=\"関数名で絞り込み / Filter by name\" aria-label=\"filter\">\n");
  std::printf("<span id=\"shown\">%zu / %zu</span></header>\n<div class=\"layout\">\n", entries.size(), entries.size());
  std::printf("<nav><h2>目次 <span lang=\"en\">Index</span></h2><ul>\n");
  for (const auto& [f, list] : groups)
    std::printf("<li data-family=\"family-%s\"><a href=\"#family-%s\">%s <span lang=\"en\">%s</span></a> <span class=\"n\">(%zu)</span></li>\n",
                f->id, f->id, f->title_ja, f->title_en, list.size());
  std::printf("</ul></nav>\n<main>\n<section class=\"intro\">\n<h2>読み方 <span lang=\"en\">How to read</span></h2>\n");
  for (const auto& r : kReading) write_pair(html_escape(r.ja), html_escape(r.en));
  std::printf("</section>\n");
  for (const auto& [f, list] : groups) {
    std::printf("<section class=\"family\" id=\"family-%s\">\n<h2>%s <span lang=\"en\">%s</span></h2>\n", f->id, f->title_ja, f->title_en);
    std::printf("<div class=\"family-intro\">\n");
    write_pair(html_escape(f->intro_ja), html_escape(f->intro_en));
    if (const MessageTable* table = messages_for(f->id)) {
      std::printf("<table><tr><th>コード <span lang=\"en\">Code</span></th><th>メッセージ <span lang=\"en\">Message</span></th></tr>\n");
      for (const auto& m : table->rows)
        std::printf("<tr><td>%s</td><td>%s<br><span lang=\"en\">%s</span></td></tr>\n", html_escape(m.key).c_str(),
                    html_escape(m.text.ja).c_str(), html_escape(m.text.en).c_str());
      std::printf("</table>\n");
    }
    std::printf("</div>\n");
    for (const auto& [info, ja, example] : list) {
      const lmx::ExportInfo& e = *info;
      const Both args = arguments_text(e), result = result_text(e), failure = failure_text(e), buffer = buffer_text(e);
      std::printf("<article class=\"export\" id=\"%s\" data-name=\"%s\">\n", e.name, e.name);
      std::printf("<h3><code>%s</code><span class=\"form\">%s</span></h3>\n", e.name, call_form(e));
      std::string block;
      for (const auto& line : example_lines(*example))
        block += html_escape(line.code) + (line.code.empty() ? "" : "  ") + "<span class=\"r\">" +
                 html_escape(line.result) + "</span>\n";
      std::printf("<pre class=\"example\">%s</pre>\n", block.c_str());
      const auto fields = [](const char* meaning, const char* const labels[4], const Both (&values)[4], bool ja_side) {
        std::string s = "<p>" + html_escape(meaning) + "</p><dl>";
        for (int k = 0; k < 4; ++k)
          s += std::string("<dt>") + labels[k] + "</dt><dd>" + html_escape(ja_side ? values[k].ja : values[k].en) + "</dd>";
        return s + "</dl>";
      };
      static const char* const labels_ja[4] = {"引数", "戻り値", "失敗時", "結果の置き場所"};
      static const char* const labels_en[4] = {"Arguments", "Result", "Failure", "Result buffer"};
      const Both values[4] = {args, result, failure, buffer};
      write_pair(fields(ja->meaning, labels_ja, values, true), fields(e.meaning, labels_en, values, false), "div");
      std::printf("</article>\n");
    }
    std::printf("</section>\n");
  }
  std::printf("</main>\n</div>\n<script>%s</script>\n</body>\n</html>\n", kScript);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const auto entries = merged_entries();
  check_reasons();
  if (!g_faults.empty()) {
    for (const auto& f : g_faults) std::fprintf(stderr, "gen_reference: %s\n", f.c_str());
    return 1;
  }
  if (mode == "md") {
    write_markdown(entries);
  } else if (mode == "html") {
    write_html(entries);
  } else if (mode == "names") {
    for (const auto& e : entries) std::printf("%s\n", e.info->name);
  } else {
    std::fprintf(stderr, "usage: gen_reference md|html|names\n");
    return 2;
  }
  return g_faults.empty() ? 0 : 1;
}
