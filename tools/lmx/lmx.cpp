// lmx: the command-line host of lorimax.dll. It loads the library, calls any
// export by name with arguments converted to the export's kinds, and prints
// the result; it checks macros' calls against the table (`lmx check`, no
// library needed). It also stands in for the editor: its Hidemaru_EvalMacro
// prints the macro text it is given.
//
//   lmx [options] Export [args...]    one call
//   lmx [options] -f script           one call per line ("-", or no export
//                                     with standard input redirected: stdin)
//   lmx [options] check macro.mac...  the macros' dllfunc* calls held to the table
//   lmx --list | --help | --version
//
// The help text (print_help) says the rest. The pieces: text.h (messages in
// two languages, integers, nearest names), args.h (quoting and escapes),
// check.h (the checker), all portable; io_win.h (the console, redirected
// output, the encodings of scripts and macros).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "exports/call_form.h"
#include "exports/caller.h"
#include "exports/info.h"
#include "frame/win_owners.h"
#include "tools/lmx/args.h"
#include "tools/lmx/check.h"
#include "tools/lmx/io_win.h"
#include "tools/lmx/text.h"

using namespace lmx::tool;

namespace {

// An argument's converted value, kept for the span of the call.
struct Arg {
  intptr_t i = 0;
  std::string s;
  std::wstring w;
  lmx::CallArg pass() const { return {i, s.c_str(), w.c_str()}; }
};

struct Options {
  bool raw = false, hex = false, quiet = false, escapes = false, keep = false;
  bool script_encoding_set = false;
  Encoding script_encoding = Encoding::utf8;
};

// The integer result of the last call made with --keep, for arguments "@".
intptr_t kept = 0;

std::string code_point_name(std::string_view utf8) {
  std::size_t i = 0;
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(next_code_point(utf8, i)));
  return buf;
}

bool convert_arg(char kind, const Token& t, Arg& a, Message& why) {
  if (kind == 'I') {
    const std::string s = token_text(t);
    if (s == "@") {
      a.i = kept;
      return true;
    }
    if (parse_integer(s, a.i)) return true;
    why = say("整数ではありません: {0} (10 進で、16 進なら 0x を付けて書きます)",
              "not an integer: {0} (write it in decimal, or in hex after 0x)", {s});
    return false;
  }
  for (const auto& p : t) {
    if (kind == 'W') {
      if (p.kind == Piece::text) a.w += to_wide(p.utf8);
      else a.w += static_cast<wchar_t>(p.value);
      continue;
    }
    if (p.kind == Piece::byte) {
      a.s += static_cast<char>(p.value);
      continue;
    }
    std::string missing;
    if (p.kind == Piece::unit) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "U+%04X", p.value);
      missing = buf;
    } else if (utf8_to_cp932(p.utf8, a.s, missing)) {
      continue;
    } else {
      missing = "'" + missing + "' (" + code_point_name(missing) + ")";
    }
    why = say("{0} はコードページ 932 にない文字なので、S の引数には渡せません",
              "{0} has no form in code page 932, so an S argument cannot take it", {missing});
    return false;
  }
  return true;
}

std::string hex_bytes(const std::string& bytes) {
  std::string out;
  char buf[8];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, out.empty() ? "%02X" : " %02X", c);
    out += buf;
  }
  return out;
}

// Prints a result: integers in decimal (or hex), text as characters.
void print_result(const lmx::CallResult& r, const Options& o) {
  char buf[64];
  if (r.kind == 'I') {
    std::snprintf(buf, sizeof buf, o.hex ? "0x%llx" : "%lld", static_cast<long long>(r.i));
    return write_out(std::string(buf) + "\n");
  }
  if (!r.p) return write_out("(null)\n");
  if (r.kind == 'S') {
    const std::string bytes = static_cast<const char*>(r.p);
    if (o.raw) return write_out_bytes(bytes + "\n");
    return write_out((o.hex ? hex_bytes(bytes) : cp932_to_utf8(bytes)) + "\n");
  }
  const std::wstring text = static_cast<const wchar_t*>(r.p);
  if (!o.hex) return write_out(to_utf8(text) + "\n");
  std::string out;
  for (wchar_t c : text) {
    std::snprintf(buf, sizeof buf, out.empty() ? "%04X" : " %04X", static_cast<unsigned>(c));
    out += buf;
  }
  write_out(out + "\n");
}

const lmx::ExportInfo* find_export(const std::string& name, std::size_t& index) {
  for (index = 0; index < lmx::kExportCount; ++index)
    if (name == lmx::kExportInfo[index].name) return &lmx::kExportInfo[index];
  return nullptr;
}

// Runs one call and prints its result. False on a usage error, told in `error`
// so that the caller can say where the call came from.
bool run_call(HMODULE library, std::vector<Token> tokens, Options o, bool echo, std::string_view line, Message& error) {
  while (!tokens.empty()) {
    const std::string t = token_text(tokens.front());
    if (t == "--raw") o.raw = true;
    else if (t == "--hex") o.hex = true;
    else if (t == "--keep") o.keep = true;
    else break;
    tokens.erase(tokens.begin());
  }
  if (tokens.empty()) return true;
  const std::string name = token_text(tokens.front());
  std::size_t index = 0;
  const lmx::ExportInfo* e = find_export(name, index);
  if (!e) {
    const std::string nearest = nearest_list(name);
    error = nearest.empty() ? say("{0} という関数はありません (lmx --list で一覧できます)",
                               "no export named {0} (lmx --list lists them)", {name})
                         : say("{0} という関数はありません (近い名前: {1})", "no export named {0} (nearest: {1})",
                               {name, nearest});
    return false;
  }
  const std::string kinds = e->kinds;
  if (tokens.size() - 1 != kinds.size()) {
    const std::string takes = std::to_string(kinds.size()), given = std::to_string(tokens.size() - 1);
    error = say("{0} の引数は {1} 個 ({2}) ですが、{3} 個あります", "{0} takes {1} argument(s) ({2}), {3} given",
                {e->name, takes, e->arg_names, given});
    return false;
  }
  std::vector<Arg> args(kinds.size());
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    Message why;
    if (!convert_arg(kinds[k], tokens[k + 1], args[k], why)) {
      const std::string place = std::to_string(k + 1);
      error = say("{0} の {1} 番目の引数: {2}", "{0}, argument {1}: {3}", {e->name, place, why.ja, why.en});
      return false;
    }
  }
  FARPROC f = GetProcAddress(library, e->name);
  if (!f) {
    error = say("lorimax.dll に {0} がありません", "lorimax.dll does not export {0}", {e->name});
    return false;
  }
  if (echo) write_out("> " + std::string(line) + "\n");
  lmx::CallArg pass[lmx::kMostArguments];
  for (std::size_t k = 0; k < args.size(); ++k) pass[k] = args[k].pass();
  const lmx::CallResult r = lmx::kCallers[index](reinterpret_cast<void*>(f), pass);
  if (o.keep && r.kind == 'I') {
    kept = r.i;
    write_out(r.i ? "@\n" : "0\n");
    return true;
  }
  print_result(r, o);
  return true;
}

const char* encoding_name(Encoding e) {
  return e == Encoding::utf8 ? "UTF-8" : e == Encoding::cp932 ? "cp932" : e == Encoding::utf16le ? "UTF-16LE" : "UTF-16BE";
}

std::string read_all(std::FILE* in) {
  std::string bytes;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.append(chunk, n);
  return bytes;
}

// Runs the script's lines in turn and stops at the first that fails, naming it.
int run_script(HMODULE library, const std::string& bytes, const std::string& source, const Options& o) {
  std::string text;
  std::size_t bad = 0;
  Encoding used;
  if (!decode_file(bytes, o.script_encoding_set ? &o.script_encoding : nullptr, true, text, bad, used)) {
    write_err("lmx: " + source + ":" + std::to_string(bad) + ": " +
              both(say("{0} として読めない行です (--script-encoding で文字コードを指定できます)",
                       "a line not valid in {0} (--script-encoding names the encoding)", {encoding_name(used)})) +
              "\n");
    return 2;
  }
  std::size_t start = 0, number = 0;
  while (start < text.size()) {
    ++number;
    std::size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::vector<Token> tokens;
    Message error;
    if (!split_line(line, tokens, error) || !run_call(library, std::move(tokens), o, !o.quiet, line.substr(first), error)) {
      write_err("lmx: " + source + ":" + std::to_string(number) + ": " + both(error) + "\n");
      return 1;
    }
  }
  return 0;
}

// lmx check: the findings of each macro, then a count on standard error.
int run_check(const std::vector<std::wstring>& files, const Options& o) {
  int status = 0;
  std::size_t found = 0;
  for (const auto& file : files) {
    const std::string name = to_utf8(file);
    const lmx::FileStream f(_wfopen(file.c_str(), L"rb"));
    if (!f) {
      write_err("lmx: " + both(say("{0} を開けません", "cannot open {0}", {name})) + "\n");
      status = 2;
      continue;
    }
    std::string text;
    std::size_t bad = 0;
    Encoding used;
    std::vector<Finding> findings;
    if (decode_file(read_all(f.get()), o.script_encoding_set ? &o.script_encoding : nullptr, false, text, bad, used))
      findings = check_macro(text);
    else
      findings.push_back({bad, 1, say("読み取れません: {0} として読めない行です (ここで止めます)",
                                      "cannot read: a line not valid in {0} (the check stops here)",
                                      {encoding_name(used)})});
    std::string out;
    for (const auto& x : findings)
      out += name + ":" + std::to_string(x.line) + ":" + std::to_string(x.column) + ": " + both(x.message) + "\n";
    write_out(out);
    found += findings.size();
  }
  const std::string files_n = std::to_string(files.size()), found_n = std::to_string(found);
  write_err("lmx check: " +
            both(found ? say("{0} 件見つかりました ({1} ファイル)", "{0} found in {1} file(s)", {found_n, files_n})
                       : say("見つかったものはありません ({0} ファイル)", "nothing found in {0} file(s)", {files_n})) +
            "\n");
  return status ? status : found ? 1 : 0;
}

const char kSynopsis[] =
    "usage: lmx [options] Export [args...]\n"
    "       lmx [options] -f script.lmx\n"
    "       lmx [options] check macro.mac...\n"
    "       lmx --list | --help | --version\n";

const char kHelpJa[] = R"(lmx {0}: lorimax.dll の関数をコマンドプロンプトから呼び出します

使い方:
  lmx [オプション] 関数名 [引数...]
      関数を 1 回呼び、結果を 1 行で表示します
  lmx [オプション] -f スクリプト
      スクリプトの呼び出しを 1 行ずつ実行します (- は標準入力)
  lmx [オプション] check マクロ.mac...
      マクロの dllfunc の呼び出しを関数の表と照らし合わせます
  lmx --list
      全関数の名前、分類、呼び方、結果の種類、引数
  lmx --help | --version

引数と結果の種類 (--list の I S W):
  I  整数。10 進で、符号も付けられます (先頭の 0 も 10 進)。
     16 進は 0x を付けます。例: 2026  -1  010  0x1F
  S  文字列。コードページ 932 (Shift_JIS) にして渡します。
     コードページ 932 にない文字はエラーになります
  W  文字列。UTF-16 にして渡します

引用符とエスケープ (スクリプトの中。コマンドラインでは -e を付けたとき):
  '...'  中の文字をそのまま渡します。Windows のパスはこちらで:
         'C:\temp\new.txt'
  "..."  \ のエスケープを読みます: \t \n \r \\ \" と、\xHH (S には
         1 バイト、W には 1 単位)、\uHHHH と \U00HHHHHH (その文字。
         S ならコードページ 932 で、W ならサロゲートペアも含め UTF-16 で)
  空白を含む引数は引用符で囲みます。コマンドラインの引数は、-e が
  なければ書いたとおりに渡します。

スクリプト (-f):
  1 行に 1 呼び出し。# で始まる行は注釈です。最初に失敗した行で止まり、
  その行番号を示します。行の初めに --raw、--hex、--keep を書けます。
  --keep は整数の結果 (ウィンドウのハンドルなど) を覚えて、後の行で @ と
  書いた整数の引数に渡します (表示は @)。
  文字コード: BOM があれば UTF-8 か UTF-16。なければ UTF-8 として読み、
  UTF-8 として読めなければコードページ 932 (秀丸エディタの既定) で読みます。

オプション:
  --encoding cp932|utf-8|utf-16le
         リダイレクトやパイプに書く文字コード (既定は utf-8)。
         コンソールにはいつも正しい文字で表示します
  --script-encoding utf-8|cp932|utf-16le|utf-16be
         スクリプトとマクロの文字コードの指定
  --raw  文字列の結果をバイトのまま書きます (UTF-8 の結果など)
  --hex  結果のバイト (W は 16 ビットの単位) を 16 進で書きます
  -q     スクリプトの呼び出しの行を表示しません
  -e     コマンドラインの引数でもエスケープを読みます

lmx check:
  マクロ (コードページ 932。BOM 付きの UTF-8、UTF-16 も) の dllfunc、
  dllfuncstr、dllfuncw、dllfuncstrw の呼び出しのうち、関数名を文字列で
  書いたものを調べ、ない関数名 (近い名前つき)、合わない呼び方、引数の数の
  誤り、整数の引数への文字列、文字列の引数への数値を「ファイル:行:桁:
  メッセージ」の形で示します (桁は文字で数えます)。lorimax.dll でない DLL
  の呼び出しは調べず、どの DLL か分からないハンドルの呼び出しは、関数名が
  lorimax のものであるときだけ調べます。

例:
  lmx NumToKanji 2026 1
      二千二十六 と表示します
  lmx -f paths.lmx --encoding cp932 > 結果.txt
      paths.lmx の行 GetFileName 'C:\temp\new.txt' が new.txt を書きます
  lmx check マクロ.mac
      マクロ.mac:4:10: NumToKanji は文字列を返す関数です: ...

終了コード: 0 成功、1 スクリプトの行が失敗した・check が何かを見つけた、
            2 使い方の誤り・lorimax.dll やファイルを読めない
)";

const char kHelpEn[] = R"(lmx {0}: calls the exports of lorimax.dll from the command prompt

Usage:
  lmx [options] Export [args...]
      one call; the result is printed on one line
  lmx [options] -f script
      one call per line of the script (- for standard input)
  lmx [options] check macro.mac...
      holds the macros' dllfunc calls to the table of exports
  lmx --list
      every export: name, family, call form, result, arguments
  lmx --help | --version

Kinds of arguments and results (I S W in --list):
  I  an integer: decimal with an optional sign (a leading zero is still
     decimal), hexadecimal after 0x. For example 2026  -1  010  0x1F
  S  a string, passed in code page 932 (Shift_JIS); a character that code
     page lacks is an error
  W  a string, passed in UTF-16

Quotes and escapes (in scripts; on the command line with -e):
  '...'  every character as written, the way to write a Windows path:
         'C:\temp\new.txt'
  "..."  reads backslash escapes: \t \n \r \\ \", \xHH (a byte of an S
         argument, a unit of a W one), \uHHHH and \U00HHHHHH (that
         character: in code page 932 for S, in UTF-16 for W, surrogate
         pairs included)
  Quote an argument with blanks in it. Command-line arguments are passed
  as written unless -e is given.

Scripts (-f):
  One call per line; a line starting with # is a comment. The first line
  that fails stops the run, with its line number. A line may start with
  --raw, --hex or --keep; --keep keeps the integer result (a window handle,
  say) for later integer arguments written @ (printed as @).
  Encoding: UTF-8 or UTF-16 by a BOM; without one UTF-8, or code page 932
  (the editor's default) when the file is not valid UTF-8.

Options:
  --encoding cp932|utf-8|utf-16le
         the encoding of redirected or piped output (utf-8 by default); a
         console always shows the characters
  --script-encoding utf-8|cp932|utf-16le|utf-16be
         the encoding of scripts and macros
  --raw  writes a string result's bytes as they are (UTF-8 results, say)
  --hex  writes the result's bytes (16-bit units for W) in hexadecimal
  -q     does not print a script's call lines
  -e     reads escapes in command-line arguments too

lmx check:
  Reads macros (code page 932, or UTF-8 or UTF-16 with a BOM) and checks
  every dllfunc, dllfuncstr, dllfuncw and dllfuncstrw call whose export
  name is a string literal: a name lorimax lacks (with the nearest names),
  a call form that does not fit, a wrong number of arguments, a string for
  an integer, a number for a string. Each is printed as file:line:column:
  message (columns count characters). Calls of DLLs other than lorimax.dll
  are not checked; a handle whose DLL cannot be told is checked only when
  the export name is one of lorimax's.

Examples:
  lmx NumToKanji 2026 1
      prints 二千二十六
  lmx -f paths.lmx --encoding cp932 > result.txt
      the line GetFileName 'C:\temp\new.txt' of paths.lmx writes new.txt
  lmx check macro.mac
      macro.mac:4:10: ... NumToKanji returns a string: call it with ...

Exit status: 0 done, 1 a script line failed or check found something,
             2 a usage error, or lorimax.dll or a file cannot be read
)";

void print_help() {
  const Message help = say(kHelpJa, kHelpEn, {LORIMAX_VERSION});
  write_out(japanese_first ? help.ja + "\n" + help.en : help.en + "\n" + help.ja);
}

int usage_error(const Message& what) {
  write_err("lmx: " + both(what) + "\n" + both(say("lmx --help で使い方を表示します", "lmx --help shows the usage")) +
            "\n");
  return 2;
}

void list_exports() {
  std::size_t name = 0, family = 0;
  for (const auto& e : lmx::kExportInfo) {
    name = std::max(name, std::char_traits<char>::length(e.name));
    family = std::max(family, std::char_traits<char>::length(e.family));
  }
  std::string out;
  for (const auto& e : lmx::kExportInfo) {
    const std::string args = lmx::tool::signature(e);
    const char* form = lmx::call_form(e);
    char line[256];
    std::snprintf(line, sizeof line, "%-*s  %-*s  %-11s  %s  (%s)\n", static_cast<int>(name), e.name,
                  static_cast<int>(family), e.family, form ? form : "-", e.result, args.c_str());
    out += line;
  }
  write_out(out);
}

}  // namespace

// The editor's side of the interface, which lorimax finds on this executable.
extern "C" __declspec(dllexport) int __cdecl Hidemaru_EvalMacro(const wchar_t* macro_text) {
  write_out("[Hidemaru_EvalMacro] " + to_utf8(macro_text ? macro_text : L"") + "\n");
  return 1;
}

// The editor's encoding analysis: lmx only reports the call and answers 0.
extern "C" __declspec(dllexport) int __cdecl Hidemaru_AnalyzeEncoding(const wchar_t* path, void*, void*) {
  write_out("[Hidemaru_AnalyzeEncoding] " + to_utf8(path ? path : L"") + "\n");
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  japanese_first = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  set_output_encoding(Encoding::utf8);
  Options o;
  std::wstring script;
  bool have_script = false, list = false, help = false, version = false;
  int i = 1;
  for (; i < argc && argv[i][0] == L'-'; ++i) {
    const std::wstring a = argv[i];
    const std::string name = to_utf8(a);
    if (a == L"--list") list = true;
    else if (a == L"-h" || a == L"--help") help = true;
    else if (a == L"--version") version = true;
    else if (a == L"--raw") o.raw = true;
    else if (a == L"--hex") o.hex = true;
    else if (a == L"-q") o.quiet = true;
    else if (a == L"-e") o.escapes = true;
    else if (a == L"-f" && i + 1 < argc) script = argv[++i], have_script = true;
    else if (a == L"-") script = L"-", have_script = true;
    else if ((a == L"--encoding" || a == L"--script-encoding") && i + 1 < argc) {
      const std::string value = to_utf8(argv[++i]);
      Encoding e;
      const bool output = a == L"--encoding";
      if (!encoding_named(value, e) || (output && e == Encoding::utf16be))
        return usage_error(say("{0} に使えない文字コードです: {1} ({2} のどれか)",
                               "{1} is not an encoding {0} takes (one of {2})",
                               {name, value, output ? "cp932, utf-8, utf-16le" : "utf-8, cp932, utf-16le, utf-16be"}));
      if (output) set_output_encoding(e);
      else o.script_encoding = e, o.script_encoding_set = true;
    } else if (a == L"-f" || a == L"--encoding" || a == L"--script-encoding") {
      return usage_error(say("{0} の後に値がありません", "{0} needs a value", {name}));
    } else {
      return usage_error(say("知らないオプションです: {0}", "unknown option {0}", {name}));
    }
  }
  if (help) return print_help(), 0;
  if (version) return write_out(std::string("lmx ") + LORIMAX_VERSION + "\n"), 0;
  if (list) return list_exports(), 0;
  if (i < argc && std::wstring(argv[i]) == L"check" && !have_script) {
    if (i + 1 == argc) return usage_error(say("check にはマクロのファイルが要ります", "check needs macro files"));
    return run_check(std::vector<std::wstring>(argv + i + 1, argv + argc), o);
  }
  if (have_script && i < argc)
    return usage_error(say("スクリプトと呼び出しは一緒に指定できません", "a script and a call cannot be given together"));
  // Nothing to do, and a console to read a script from: the user wants the usage.
  if (i == argc && !have_script && stdin_is_console()) {
    write_err(std::string(kSynopsis) + both(say("lmx --help で詳しい説明を表示します", "lmx --help explains more")) + "\n");
    return 2;
  }
  // Freed when wmain returns, before the process exits.
  const lmx::LoadedModule library(LoadLibraryW(L"lorimax.dll"));
  if (!library) {
    const std::string code = std::to_string(GetLastError());
    write_err("lmx: " + both(say("lorimax.dll を読み込めません (エラー {0})", "cannot load lorimax.dll (error {0})", {code})) +
              "\n");
    return 2;
  }
  if (i < argc) {
    std::vector<Token> tokens;
    for (; i < argc; ++i) {
      Token t;
      Message error;
      const std::string arg = to_utf8(argv[i]);
      if (o.escapes && !read_escapes(arg, t, error)) return usage_error(error);
      if (t.empty()) t.push_back({Piece::text, arg});
      tokens.push_back(std::move(t));
    }
    Message error;
    if (!run_call(library.get(), std::move(tokens), o, false, "", error)) return usage_error(error);
    return 0;
  }
  if (!have_script || script == L"-") {
    _setmode(_fileno(stdin), _O_BINARY);
    return run_script(library.get(), read_all(stdin), "-", o);
  }
  const lmx::FileStream f(_wfopen(script.c_str(), L"rb"));
  if (!f) return usage_error(say("{0} を開けません", "cannot open {0}", {to_utf8(script)}));
  return run_script(library.get(), read_all(f.get()), to_utf8(script), o);
}
