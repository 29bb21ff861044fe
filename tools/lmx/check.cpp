#include "tools/lmx/check.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "exports/call_form.h"
#include "exports/info.h"

namespace lmx::tool {

namespace {

// --- the macro's words -------------------------------------------------------

enum class Kind : char { word, variable, string, number, punct };
struct Tok {
  Kind kind;
  std::string text;  // a string's value, its escapes read
  std::size_t line, column;
  bool starts_line;
  bool broken = false;  // a string not closed (already reported)
};

Finding unreadable(std::size_t line, std::size_t column, const Message& why) {
  return {line, column, {"読み取れません: " + why.ja, "cannot read: " + why.en}};
}

bool word_char(char32_t c, bool first) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (!first && c >= '0' && c <= '9') ||
         (c >= 0x80 && c != 0x3000);
}

// Splits the macro into words, variables, literals and punctuation, leaving
// out blanks and comments.
class Lexer {
 public:
  Lexer(std::string_view text, std::vector<Finding>& findings) : s_(text), findings_(findings) {}

  std::vector<Tok> run() {
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || s_.substr(i_, 3) == "\u3000") {
        advance();
      } else if (s_.substr(i_, 2) == "//") {
        while (i_ < s_.size() && s_[i_] != '\n') advance();
      } else if (s_.substr(i_, 2) == "/*") {
        const std::size_t line = line_, column = column_;
        while (i_ < s_.size() && s_.substr(i_, 2) != "*/") advance();
        if (i_ == s_.size()) {
          findings_.push_back(unreadable(line, column, say("/* の注釈が閉じていません", "a /* comment is not closed")));
          break;
        }
        advance(), advance();
      } else if (c == '"') {
        quoted();
      } else if ((c == 'R' || c == '@') && s_.substr(i_ + 1, 1) == "\"") {
        c == 'R' ? raw() : verbatim();
      } else if ((c == '#' || c == '$') && word_at(sigils_end())) {
        take(Kind::variable, word_end(sigils_end()));
      } else if (word_at(i_)) {
        take(Kind::word, word_end(i_));
      } else if (c >= '0' && c <= '9') {
        std::size_t end = i_;
        while (end < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[end])) || s_[end] == '.' || s_[end] == '_')) ++end;
        take(Kind::number, end);
      } else {
        std::size_t end = i_;
        next_code_point(s_, end);
        take(Kind::punct, end);
      }
    }
    return std::move(toks_);
  }

 private:
  void advance() {
    if (s_[i_] == '\n') {
      ++line_, column_ = 1, fresh_ = true;
      ++i_;
    } else {
      next_code_point(s_, i_);
      ++column_;
    }
  }
  // Past the sigil of a variable: # or $, doubled for a local one.
  std::size_t sigils_end() const { return i_ + 1 < s_.size() && s_[i_ + 1] == s_[i_] ? i_ + 2 : i_ + 1; }
  bool word_at(std::size_t at) const {
    if (at >= s_.size()) return false;
    std::size_t k = at;
    return word_char(next_code_point(s_, k), true);
  }
  std::size_t word_end(std::size_t at) const {
    while (at < s_.size()) {
      std::size_t k = at;
      if (!word_char(next_code_point(s_, k), false)) break;
      at = k;
    }
    return at;
  }
  Tok& start(Kind kind) {
    toks_.push_back({kind, {}, line_, column_, fresh_});
    fresh_ = false;
    return toks_.back();
  }
  void take(Kind kind, std::size_t end) {
    start(kind).text = std::string(s_.substr(i_, end - i_));
    while (i_ < end) advance();
  }
  // "..." with backslash escapes, on one line.
  void quoted() {
    Tok& t = start(Kind::string);
    advance();
    while (i_ < s_.size() && s_[i_] != '"' && s_[i_] != '\n') {
      if (s_[i_] == '\\' && i_ + 1 < s_.size() && s_[i_ + 1] != '\n') {
        advance();
        const char e = s_[i_];
        if (e == 'n' || e == 't' || e == 'r') {
          t.text += e == 'n' ? '\n' : e == 't' ? '\t' : '\r';
          advance();
          continue;
        }
      }
      const std::size_t from = i_;
      advance();
      t.text += s_.substr(from, i_ - from);
    }
    if (i_ < s_.size() && s_[i_] == '"') return advance();
    t.broken = true;
    findings_.push_back(unreadable(t.line, t.column, say("文字列が行末までに閉じていません",
                                                         "a string is not closed before the end of its line")));
    // The statement ends with the line.
    toks_.push_back({Kind::punct, ";", line_, column_, false});
  }
  // R"delimiter( ... )delimiter" and @"..." (a doubled quote for a quote), over lines.
  void raw() {
    const std::size_t open = s_.find('(', i_ + 2);
    const std::string close = open == std::string_view::npos
                                  ? std::string()
                                  : ")" + std::string(s_.substr(i_ + 2, open - i_ - 2)) + "\"";
    const std::size_t end = close.empty() ? std::string_view::npos : s_.find(close, open);
    if (end == std::string_view::npos) {
      findings_.push_back(unreadable(line_, column_, say("R\" の文字列が閉じていません", "a R\" string is not closed")));
      while (i_ < s_.size()) advance();
      return;
    }
    Tok& t = start(Kind::string);
    t.text = std::string(s_.substr(open + 1, end - open - 1));
    while (i_ < end + close.size()) advance();
  }
  void verbatim() {
    Tok& t = start(Kind::string);
    const std::size_t line = line_, column = column_;
    advance(), advance();
    while (i_ < s_.size()) {
      if (s_[i_] == '"' && s_.substr(i_ + 1, 1) != "\"") return advance();
      if (s_[i_] == '"') advance();
      const std::size_t from = i_;
      advance();
      t.text += s_.substr(from, i_ - from);
    }
    findings_.push_back(unreadable(line, column, say("@\" の文字列が閉じていません", "a @\" string is not closed")));
  }

  std::string_view s_;
  std::vector<Finding>& findings_;
  std::vector<Tok> toks_;
  std::size_t i_ = 0, line_ = 1, column_ = 1;
  bool fresh_ = true;
};

// --- the calls ---------------------------------------------------------------

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool is(const Tok& t, std::string_view punct) { return t.kind == Kind::punct && t.text == punct; }
bool is_form(const Tok& t) {
  if (t.kind != Kind::word) return false;
  const std::string w = lower(t.text);
  return w == "dllfunc" || w == "dllfuncstr" || w == "dllfuncw" || w == "dllfuncstrw";
}

// Whose library a handle is.
enum class Origin : char { lorimax, other, unknown };

// The library a loaddll loads, told by the file name of the last string
// literal among its tokens.
Origin origin_of(const std::vector<Tok>& toks, std::size_t from, std::size_t to) {
  for (std::size_t k = to; k-- > from;) {
    if (toks[k].kind != Kind::string) continue;
    std::string name = lower(toks[k].text);
    name.erase(0, name.find_last_of("\\/") + 1);  // npos + 1 is 0
    if (name.empty()) return Origin::unknown;
    if (name.find('.') == std::string::npos) name += ".dll";
    return name == "lorimax.dll" ? Origin::lorimax : Origin::other;
  }
  return Origin::unknown;
}

// One argument: the tokens [from, to).
struct Arg {
  std::size_t from, to;
};

// What an argument plainly is: a string, a number, or not plain.
enum class Type : char { string, number, unknown };
Type type_of(const std::vector<Tok>& toks, Arg a) {
  for (std::size_t k = a.from; k < a.to; ++k)
    if (toks[k].kind == Kind::punct && std::string_view("=<>!&|?").find(toks[k].text[0]) != std::string_view::npos)
      return Type::unknown;  // a comparison or a logical expression
  std::size_t k = a.from;
  if (is(toks[k], "-") || is(toks[k], "+")) ++k;
  if (k == a.to) return Type::unknown;
  const Tok& t = toks[k];
  switch (t.kind) {
    case Kind::string: return k == a.from ? Type::string : Type::unknown;
    case Kind::number: return Type::number;
    case Kind::variable: return t.text[0] == '$' ? Type::string : Type::number;
    case Kind::word:
      if (!is_form(t)) return Type::unknown;
      return lower(t.text).find("str") != std::string::npos ? Type::string : Type::number;
    default: return Type::unknown;
  }
}

// The text of tokens, for a handle's name.
std::string key_of(const std::vector<Tok>& toks, Arg a) {
  std::string key;
  for (std::size_t k = a.from; k < a.to; ++k) key += toks[k].text;
  return key;
}

// The index of the ")" or "]" closing the bracket at `open`, or npos when a
// ";" or the end comes first.
std::size_t closing(const std::vector<Tok>& toks, std::size_t open) {
  int depth = 0;
  for (std::size_t k = open; k < toks.size(); ++k) {
    if (is(toks[k], "(") || is(toks[k], "[")) ++depth;
    if ((is(toks[k], ")") || is(toks[k], "]")) && --depth == 0) return k;
    if (is(toks[k], ";")) break;
  }
  return std::string::npos;
}

std::string number(std::size_t n) { return std::to_string(n); }


class Checker {
 public:
  Checker(std::vector<Tok> toks, std::vector<Finding>& findings) : toks_(std::move(toks)), findings_(findings) {}

  void run() {
    for (std::size_t k = 0; k < toks_.size(); ++k) {
      if (toks_[k].kind == Kind::word && lower(toks_[k].text) == "loaddll") loaddll(k);
      if (is_form(toks_[k])) call(k);
    }
  }

 private:
  void report(const Tok& at, Message m) { findings_.push_back({at.line, at.column, std::move(m)}); }

  // `#h = loaddll(...)` gives the handle #h its origin; a loaddll that starts
  // a statement loads the library that calls without a handle use.
  void loaddll(std::size_t k) {
    std::size_t from = k + 1, to = from;
    if (from < toks_.size() && is(toks_[from], "(")) {
      to = closing(toks_, from);
      if (to == std::string::npos) return;
    } else {
      while (to < toks_.size() && !is(toks_[to], ";") && !(toks_[to].starts_line && to > from)) ++to;
    }
    const Origin origin = origin_of(toks_, from, to);
    // The variable assigned: #h or #h[...] before "=" (not "==").
    if (k >= 2 && is(toks_[k - 1], "=") && !is(toks_[k - 2], "=")) {
      std::size_t first = k - 2;
      if (is(toks_[first], "]")) {
        int depth = 0;
        for (; first > 0; --first) {
          if (is(toks_[first], "]")) ++depth;
          if (is(toks_[first], "[") && --depth == 0) break;
        }
        if (first == 0) return;
        --first;
      }
      if (toks_[first].kind == Kind::variable) handles_[key_of(toks_, {first, k - 1})] = origin;
      return;
    }
    if (toks_[k].starts_line || (k > 0 && (is(toks_[k - 1], ";") || is(toks_[k - 1], "{") || is(toks_[k - 1], "}"))))
      implicit_ = origin;
  }

  void call(std::size_t k) {
    const Tok& form = toks_[k];
    if (k + 1 == toks_.size() || !is(toks_[k + 1], "(")) {
      findings_.push_back(unreadable(form.line, form.column, say("{0} の後に ( がありません", "{0} is not followed by (", {form.text})));
      return;
    }
    std::vector<Arg> args;
    bool broken = false;
    int depth = 0;
    std::size_t start = k + 2, j = start;
    for (; j < toks_.size(); ++j) {
      const Tok& t = toks_[j];
      broken = broken || t.broken;
      if (is(t, ";")) break;
      if (is(t, "(") || is(t, "[")) ++depth;
      if ((is(t, ")") || is(t, "]")) && depth-- == 0) {
        args.push_back({start, j});
        break;
      }
      if (is(t, ",") && depth == 0) args.push_back({start, j}), start = j + 1;
    }
    if (broken) return;  // its unclosed string is reported
    if (j == toks_.size() || is(toks_[j], ";")) {
      findings_.push_back(unreadable(form.line, form.column,
                                     say("{0} の呼び出しの ) が ; か終わりまでにありません",
                                         "the call of {0} has no closing ) before a ; or the end", {form.text})));
      return;
    }
    if (args.size() == 1 && args[0].from == args[0].to) args.clear();
    for (const Arg& a : args)
      if (a.from == a.to) {
        findings_.push_back(unreadable(form.line, form.column, say("{0} の呼び出しに空の引数があります",
                                                                   "the call of {0} has an empty argument", {form.text})));
        return;
      }
    if (args.empty()) {
      findings_.push_back(unreadable(form.line, form.column, say("{0} の呼び出しに関数名がありません",
                                                                 "the call of {0} names no export", {form.text})));
      return;
    }
    // dllfunc("Name", ...) calls the library of the statement loaddll;
    // dllfunc(#h, "Name", ...) that of the handle.
    const auto single_string = [&](const Arg& a) { return a.to == a.from + 1 && toks_[a.from].kind == Kind::string; };
    Origin origin = implicit_;
    std::size_t name_at = 0;
    if (!single_string(args[0])) {
      if (type_of(toks_, args[0]) == Type::string || toks_[args[0].from].kind == Kind::string) return;  // a name in a variable
      const auto h = handles_.find(key_of(toks_, args[0]));
      origin = h == handles_.end() ? Origin::unknown : h->second;
      name_at = 1;
      if (args.size() < 2) {
        findings_.push_back(unreadable(form.line, form.column, say("{0} の呼び出しに関数名がありません",
                                                                   "the call of {0} names no export", {form.text})));
        return;
      }
      if (!single_string(args[1])) return;
    }
    if (origin == Origin::other) return;
    const Tok& name = toks_[args[name_at].from];
    const ExportInfo* e = nullptr;
    for (const auto& x : kExportInfo)
      if (name.text == x.name) e = &x;
    if (!e) {
      if (origin == Origin::unknown) return;  // perhaps another library's
      const std::string near = nearest_list(name.text);
      report(name, near.empty() ? say("lorimax に {0} という関数はありません (lmx --list で一覧できます)",
                                      "lorimax has no export {0} (lmx --list lists them)", {name.text})
                                : say("lorimax に {0} という関数はありません (近い名前: {1})",
                                      "lorimax has no export {0} (nearest: {1})", {name.text, near}));
      return;
    }
    check_form(form, *e);
    const std::vector<Arg> given(args.begin() + name_at + 1, args.end());
    const std::size_t takes = std::char_traits<char>::length(e->kinds);
    if (given.size() != takes) {
      report(form, takes == 0 ? say("{0} は引数を取りませんが、{1} 個あります", "{0} takes no arguments, {1} given",
                                    {e->name, number(given.size())})
                              : say("{0} の引数は {1} 個 ({2}) ですが、{3} 個あります",
                                    takes == 1 ? "{0} takes 1 argument ({2}), {3} given"
                                               : "{0} takes {1} arguments ({2}), {3} given",
                                    {e->name, number(takes), signature(*e), number(given.size())}));
      return;
    }
    for (std::size_t n = 0; n < given.size(); ++n) check_type(*e, n, given[n]);
  }

  void check_form(const Tok& form, const ExportInfo& e) {
    const char* want = call_form(e);
    if (!want || lower(form.text) == want) return;
    const bool wide_argument = std::string_view(e.kinds).find('W') != std::string_view::npos;
    const Message what = e.result[0] == 'S'   ? say("文字列を返す関数です", "returns a string")
                         : e.result[0] == 'W' ? say("UTF-16 の文字列を返す関数です", "returns a UTF-16 string")
                         : wide_argument      ? say("整数を返し、UTF-16 の引数を取る関数です",
                                                    "returns an integer and takes a UTF-16 argument")
                                              : say("整数を返す関数です", "returns an integer");
    const std::string name = e.name;
    report(form, {name + " は" + what.ja + ": " + want + " で呼びます (" + form.text + " ではありません)",
                  name + " " + what.en + ": call it with " + want + ", not " + form.text});
  }

  void check_type(const ExportInfo& e, std::size_t n, Arg a) {
    const char kind = e.kinds[n];
    const Type type = type_of(toks_, a);
    if (type == Type::unknown || (kind == 'I') == (type == Type::number)) return;
    std::string name = e.arg_names;
    for (std::size_t skip = 0, at = 0; skip <= n; ++skip) {
      const std::size_t end = std::min(name.find(", ", at), name.size());
      if (skip == n) name = name.substr(at, end - at);
      at = end + 2;
    }
    const std::string place = number(n + 1);
    report(toks_[a.from], kind == 'I' ? say("{0} の {1} 番目の引数 {2} は整数 (I) ですが、文字列が書かれています",
                                            "{0}: argument {1} ({2}) is an integer (I), but a string is given",
                                            {e.name, place, name})
                                      : say("{0} の {1} 番目の引数 {2} は文字列 ({3}) ですが、数値が書かれています",
                                            "{0}: argument {1} ({2}) is a string ({3}), but a number is given",
                                            {e.name, place, name, std::string(1, kind)}));
  }

  std::vector<Tok> toks_;
  std::vector<Finding>& findings_;
  std::map<std::string, Origin> handles_;
  Origin implicit_ = Origin::unknown;
};

}  // namespace

std::string signature(const lmx::ExportInfo& e) {
  std::string out, names = e.arg_names;
  std::size_t at = 0;
  for (const char* k = e.kinds; *k; ++k) {
    const std::size_t end = std::min(names.find(", ", at), names.size());
    (out += out.empty() ? "" : ", ") += std::string(1, *k) + " " + names.substr(at, end - at);
    at = end + 2;
  }
  return out;
}

std::vector<Finding> check_macro(std::string_view utf8) {
  std::vector<Finding> findings;
  Checker(Lexer(utf8, findings).run(), findings).run();
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
  return findings;
}

}  // namespace lmx::tool
