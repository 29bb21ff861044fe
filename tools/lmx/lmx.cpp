// lmx: the command-line host of lorimax.dll. It loads the library, calls any
// export by name with arguments converted to the export's kinds, and prints
// the result. It also stands in for the editor: its Hidemaru_EvalMacro prints
// the macro text it is given.
//
//   lmx [options] Export [args...]    one call
//   lmx [options] -f script           one call per line ("-" or no export: stdin)
//   lmx --list                        the exports with their kinds
//   lmx -h | --help | --version
//
// Options: --raw prints a narrow result's bytes unconverted (for UTF-8 or
// binary results), --hex prints the result's bytes (narrow) or code units
// (wide) in hexadecimal, -q prints results only in script mode, -e reads
// backslash escapes in command-line arguments (\t \n \r \\ \" \xHH \uHHHH;
// in scripts they hold inside double quotes). In a script, --keep before a
// call keeps its integer result (a window handle, say) for the later integer
// arguments written @; it differs from run to run, so it prints as @ (0 as 0).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "exports/caller.h"
#include "exports/info.h"
#include "frame/host.h"
#include "frame/win_owners.h"

namespace {

std::string to_utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring from_code_page(UINT cp, const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

std::string to_cp932(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void write_out(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

// One argument as typed: literal text with, where escapes were read, raw
// bytes or code units spliced in. Converted per kind when the call is made.
struct Piece {
  bool raw;
  std::wstring text;  // literal text, or the raw values (each below 0x10000)
};
using Token = std::vector<Piece>;

// An argument's converted text, kept for the span of the call.
struct Arg {
  intptr_t i = 0;
  std::string s;
  std::wstring w;
  lmx::CallArg pass() const { return {i, s.c_str(), w.c_str()}; }
};

const lmx::ExportInfo* find_export(const std::string& name, std::size_t& index) {
  for (index = 0; index < lmx::kExportCount; ++index)
    if (name == lmx::kExportInfo[index].name) return &lmx::kExportInfo[index];
  return nullptr;
}

struct Options {
  bool raw = false, hex = false, quiet = false, escapes = false, keep = false;
};

// The integer result of the last call made with --keep, for arguments "@".
intptr_t kept = 0;

int hex_value(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Reads backslash escapes of `text` into `token`.
void append_escaped(Token& token, const std::wstring& text) {
  auto literal = [&](wchar_t c) {
    if (token.empty() || token.back().raw) token.push_back({false, {}});
    token.back().text += c;
  };
  auto raw = [&](wchar_t c) {
    if (token.empty() || !token.back().raw) token.push_back({true, {}});
    token.back().text += c;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      literal(text[i]);
      continue;
    }
    const wchar_t e = text[++i];
    const std::size_t digits = e == L'x' ? 2 : e == L'u' ? 4 : 0;
    if (digits) {
      unsigned v = 0;
      std::size_t k = 0;
      for (; k < digits && i + 1 + k < text.size() && hex_value(text[i + 1 + k]) >= 0; ++k)
        v = v * 16 + hex_value(text[i + 1 + k]);
      if (k == digits) {
        raw(static_cast<wchar_t>(v));
        i += digits;
        continue;
      }
    }
    switch (e) {
      case L't': literal(L'\t'); break;
      case L'n': literal(L'\n'); break;
      case L'r': literal(L'\r'); break;
      default: literal(e); break;
    }
  }
}

// A script line split into tokens: white space separates; double quotes group
// and read escapes inside them.
std::vector<Token> split_line(const std::wstring& line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && iswspace(line[i])) ++i;
    if (i == line.size()) break;
    Token token;
    bool any = false;
    while (i < line.size() && !iswspace(line[i])) {
      any = true;
      if (line[i] == L'"') {
        std::wstring inner;
        for (++i; i < line.size() && line[i] != L'"'; ++i) {
          if (line[i] == L'\\' && i + 1 < line.size()) inner += line[i++];
          inner += line[i];
        }
        ++i;  // closing quote
        append_escaped(token, inner);
        if (token.empty()) token.push_back({false, {}});
      } else {
        std::wstring plain;
        while (i < line.size() && !iswspace(line[i]) && line[i] != L'"') plain += line[i++];
        token.push_back({false, plain});
      }
    }
    if (any) tokens.push_back(std::move(token));
  }
  return tokens;
}

std::wstring token_text(const Token& t) {
  std::wstring s;
  for (const auto& p : t) s += p.text;
  return s;
}

bool convert_arg(char kind, const Token& t, Arg& a, std::string& error) {
  if (kind == 'I') {
    const std::wstring s = token_text(t);
    if (s == L"@") {
      a.i = kept;
      return true;
    }
    wchar_t* end = nullptr;
    a.i = static_cast<intptr_t>(std::wcstoll(s.c_str(), &end, 0));
    if (s.empty() || *end) {
      error = "not an integer: " + to_utf8(s);
      return false;
    }
    return true;
  }
  for (const auto& p : t) {
    if (kind == 'S') {
      if (p.raw)
        for (wchar_t c : p.text) a.s += static_cast<char>(c & 0xFF);
      else
        a.s += to_cp932(p.text);
    } else {
      a.w += p.text;
    }
  }
  return true;
}

std::string format_result(const lmx::CallResult& r, const Options& o) {
  char buf[64];
  if (r.kind == 'I') {
    std::snprintf(buf, sizeof buf, o.hex ? "0x%llx" : "%lld", static_cast<long long>(r.i));
    return buf;
  }
  if (!r.p) return "(null)";
  if (r.kind == 'S') {
    const std::string bytes = static_cast<const char*>(r.p);
    if (o.hex) {
      std::string out;
      for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, out.empty() ? "%02X" : " %02X", c);
        out += buf;
      }
      return out;
    }
    return o.raw ? bytes : to_utf8(from_code_page(932, bytes));
  }
  const std::wstring text = static_cast<const wchar_t*>(r.p);
  if (o.hex) {
    std::string out;
    for (wchar_t c : text) {
      std::snprintf(buf, sizeof buf, out.empty() ? "%04X" : " %04X", static_cast<unsigned>(c));
      out += buf;
    }
    return out;
  }
  return to_utf8(text);
}

// Runs one call; prints its result. Returns false on a usage error, with its
// text in `error`, so that the caller can say where the call came from.
bool run_call(HMODULE library, std::vector<Token> tokens, Options o, bool echo, const std::wstring& line,
              std::string& error) {
  char buf[512];
  while (!tokens.empty()) {
    const std::wstring t = token_text(tokens.front());
    if (t == L"--raw") o.raw = true;
    else if (t == L"--hex") o.hex = true;
    else if (t == L"--keep") o.keep = true;
    else break;
    tokens.erase(tokens.begin());
  }
  if (tokens.empty()) return true;
  const std::string name = to_utf8(token_text(tokens.front()));
  std::size_t index = 0;
  const lmx::ExportInfo* e = find_export(name, index);
  if (!e) {
    error = "no export named " + name + " (lmx --list shows them)";
    return false;
  }
  const std::string kinds = e->kinds;
  if (tokens.size() - 1 != kinds.size()) {
    std::snprintf(buf, sizeof buf, "%s takes %zu argument(s) (%s), %zu given", e->name, kinds.size(), e->arg_names,
                  tokens.size() - 1);
    error = buf;
    return false;
  }
  std::vector<Arg> args(kinds.size());
  for (std::size_t k = 0; k < kinds.size(); ++k) {
    std::string why;
    if (!convert_arg(kinds[k], tokens[k + 1], args[k], why)) {
      error = std::string(e->name) + ": " + why;
      return false;
    }
  }
  FARPROC f = GetProcAddress(library, e->name);
  if (!f) {
    error = std::string("lorimax.dll does not export ") + e->name;
    return false;
  }
  if (echo) write_out("> " + to_utf8(line) + "\n");
  lmx::CallArg pass[8];
  for (std::size_t k = 0; k < args.size(); ++k) pass[k] = args[k].pass();
  const lmx::CallResult r = lmx::kCallers[index](reinterpret_cast<void*>(f), pass);
  if (o.keep && r.kind == 'I') {
    kept = r.i;
    write_out(r.i ? "@\n" : "0\n");
    return true;
  }
  write_out(format_result(r, o) + "\n");
  return true;
}

// Runs the script's lines in turn and stops at the first that fails, naming it.
int run_script(HMODULE library, std::FILE* in, const std::string& source, const Options& o) {
  std::string bytes;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.append(chunk, n);
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  const std::wstring text = from_code_page(CP_UTF8, bytes);
  std::size_t start = 0, number = 0;
  while (start <= text.size()) {
    ++number;
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    start = end + 1;
    std::size_t first = line.find_first_not_of(L" \t");
    if (first == std::wstring::npos || line[first] == L'#') continue;
    std::string error;
    if (!run_call(library, split_line(line), o, !o.quiet, line.substr(first), error)) {
      std::fprintf(stderr, "lmx: %s:%zu: %s\n", source.c_str(), number, error.c_str());
      return 1;
    }
  }
  return 0;
}

const char kUsage[] =
    "usage: lmx [--raw] [--hex] [-q] [-e] (Export [args...] | -f script | -) | --list | --version | -h";

void print_help() {
  std::printf(
      "%s\n\n"
      "Loads lorimax.dll (from lmx's own folder first, as Windows searches) and calls its exports.\n"
      "  lmx Export [args...]  one call; the result is printed on one line\n"
      "  lmx -f script         one call per line (\"-\" or no export: standard input);\n"
      "                        # starts a comment; the first failing line stops the run\n"
      "  --list                the exports, their families, argument kinds and results\n"
      "  --raw                 print a narrow result's bytes unconverted\n"
      "  --hex                 print the result's bytes or code units in hexadecimal\n"
      "  -q                    in a script, print results only (not the calls)\n"
      "  -e                    read backslash escapes in command-line arguments\n"
      "  --keep                in a script, before a call: keep its integer result for later\n"
      "                        integer arguments written @ (printed as @, or 0)\n"
      "  --version             the version of lmx\n"
      "  -h, --help            this text\n"
      "Exit status: 0 done, 1 a script line failed, 2 a usage error or no library.\n",
      kUsage);
}

// One line to standard error, as console tools do on a usage error.
int usage_error(const std::string& what) {
  std::fprintf(stderr, "lmx: %s; %s\n", what.c_str(), kUsage);
  return 2;
}

void list_exports() {
  for (const auto& e : lmx::kExportInfo) {
    std::printf("%-28s %-12s %s(%s) -> %s\n", e.name, e.family, e.kinds, e.arg_names, e.result);
  }
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
  _setmode(_fileno(stdout), _O_BINARY);
  Options o;
  std::wstring script;
  bool have_script = false;
  int i = 1;
  for (; i < argc && argv[i][0] == L'-'; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--list") return list_exports(), 0;
    if (a == L"-h" || a == L"--help") return print_help(), 0;
    if (a == L"--version") return std::printf("lmx %s\n", LORIMAX_VERSION), 0;
    if (a == L"--raw") o.raw = true;
    else if (a == L"--hex") o.hex = true;
    else if (a == L"-q") o.quiet = true;
    else if (a == L"-e") o.escapes = true;
    else if (a == L"-f" && i + 1 < argc) script = argv[++i], have_script = true;
    else if (a == L"-f") return usage_error("-f needs a script");
    else if (a == L"-") script = L"-", have_script = true;
    else return usage_error("unknown option " + to_utf8(a));
  }
  if (have_script && i < argc) return usage_error("a script and a call cannot be given together");
  // Freed when wmain returns, before the process exits.
  const lmx::LoadedModule library(LoadLibraryW(L"lorimax.dll"));
  if (!library) {
    std::fprintf(stderr, "lmx: cannot load lorimax.dll (error %lu)\n", GetLastError());
    return 2;
  }
  int status = 0;
  if (i < argc && !have_script) {
    std::vector<Token> tokens;
    for (; i < argc; ++i) {
      Token t;
      if (o.escapes) append_escaped(t, argv[i]);
      if (t.empty()) t.push_back({false, argv[i]});
      tokens.push_back(std::move(t));
    }
    std::string error;
    if (!run_call(library.get(), std::move(tokens), o, false, L"", error)) return usage_error(error);
  } else if (!have_script || script == L"-") {
    _setmode(_fileno(stdin), _O_BINARY);
    status = run_script(library.get(), stdin, "-", o);
  } else {
    const lmx::FileStream f(_wfopen(script.c_str(), L"rb"));
    if (!f) {
      std::fprintf(stderr, "lmx: cannot open %s\n", to_utf8(script).c_str());
      return 2;
    }
    status = run_script(library.get(), f.get(), to_utf8(script), o);
  }
  return status;
}
