// What a macro meets through the DLL under Wine, each path beside its floor:
// the bare call that does the same work with no lorimax in between, on the
// same data, in the same process. The repetitions of a row's path and floor
// are interleaved at random, so that a change in the machine's load falls on
// paths and floors alike; the table gives the median of each, the spread of
// the path's repetitions, the ratio, and for rows measured at several sizes
// the time per byte against its value at 64 KB. Times are reported, never
// asserted; `make bench-wine` runs it (BENCH_WINE_FULL=50 sets the size of
// the file rows in MB, BENCH_WINE_ONLY picks rows by their path).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "editorconfig/editorconfig.h"
#include "exports/api.h"
#include "pattern.h"
#include "text.h"

namespace {

using std::string;
using std::wstring;
using clock_type = std::chrono::steady_clock;

// One row: a path and its floor; each gives a figure of what it produced
// (bytes, lines, hits), so that a path that does less work shows.
struct Row {
  string path, data, floor;
  std::size_t bytes = 0;  // for the time per byte; 0 for none
  std::size_t scale_of = 0;  // the 64 KB row's index + 1 for a scaled row
  std::function<std::size_t()> run_path, run_floor;
};
struct Measured {
  std::vector<double> path_ms, floor_ms;
  std::size_t path_figure = 0, floor_figure = 0;
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The time of one run, from `calls` runs in a row: a sample of a millisecond
// or less under Wine is mostly the clock's and the scheduler's noise.
double timed(const std::function<std::size_t()>& run, int calls, std::size_t& figure) {
  const auto start = clock_type::now();
  for (int i = 0; i < calls; ++i) figure = run();
  return std::chrono::duration<double, std::milli>(clock_type::now() - start).count() / calls;
}

// Shift_JIS prose in lines of about `line` bytes with CR LF, `size` bytes in all.
string sjis_lines(std::size_t size, std::size_t line) {
  const string sentence = sjis(u8"秀丸マクロで日本語のテキストを読み書きする。Search ストリング 123、ＳＪＩＳのメニュー。");
  string text, current;
  while (text.size() < size) {
    for (std::size_t i = 0; i < sentence.size() && current.size() + 4 < line;) {
      const std::size_t w = static_cast<unsigned char>(sentence[i]) >= 0x80 ? 2 : 1;
      current.append(sentence, i, w);
      i += w;
    }
    if (current.size() + 4 >= line) {
      text += current + "\r\n";
      current.clear();
    }
  }
  return text;
}

wstring wide_of_sjis(const string& s) {
  wstring w(s.size(), L'\0');
  w.resize(static_cast<std::size_t>(MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size()))));
  return w;
}

void put_file(const char* name, const string& bytes) {
  std::FILE* f = std::fopen(name, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// --- the text-file slots ----------------------------------------------------

std::size_t slot_lines(const char* file) {
  const intptr_t h = FileOpen(file, "r");
  std::size_t n = 0;
  for (const char* line; (line = RdFileLine(h)) == GetResult();) n += std::strlen(line) + 1;
  FileClose(h);
  return n;
}
std::size_t fgets_lines(const char* file) {
  static char buffer[32772];
  std::FILE* f = std::fopen(file, "r");
  std::size_t n = 0;
  while (std::fgets(buffer, sizeof buffer, f)) n += std::strlen(buffer);
  std::fclose(f);
  return n;
}
std::size_t slot_lines_w(const wchar_t* file, const wchar_t* encoding) {
  const intptr_t h = FileOpenW(file, L"r", encoding);
  std::size_t n = 0;
  for (const wchar_t* line; (line = RdFileLineW(h)) == GetResultW();) n += std::wcslen(line) + 1;
  FileClose(h);
  return n;
}
std::size_t fgetws_lines(const wchar_t* file, const wchar_t* mode) {
  static wchar_t buffer[32772];
  std::FILE* f = _wfopen(file, mode);
  std::size_t n = 0;
  while (std::fgetws(buffer, 32772, f)) n += std::wcslen(buffer);
  std::fclose(f);
  return n;
}
std::size_t slot_blocks(const char* file) {
  const intptr_t h = FileOpen(file, "rb");
  std::size_t n = 0;
  for (const char* block; (block = RdFileByte(h, 65536)) == GetResult() && *block;) n += std::strlen(block);
  FileClose(h);
  return n;
}
std::size_t fread_blocks(const char* file) {
  static char buffer[65537];
  std::FILE* f = std::fopen(file, "rb");
  std::size_t n = 0, got = 0;
  while ((got = std::fread(buffer, 1, 65536, f)) > 0) {
    buffer[got] = 0;
    n += std::strlen(buffer);  // as the path's count of what came back
  }
  std::fclose(f);
  return n;
}
// Each side writes a file of its own, so that each truncates only what it
// wrote itself the time before.
std::size_t slot_write(const std::vector<string>& lines, const string& file) {
  const intptr_t h = FileOpen(file.c_str(), "w");
  std::size_t n = 0;
  for (const string& l : lines) n += WrFileLine(h, l.c_str());
  FileClose(h);
  return n;
}
std::size_t fputs_write(const std::vector<string>& lines, const string& file) {
  std::FILE* f = std::fopen(file.c_str(), "w");
  std::size_t n = 0;
  for (const string& l : lines) n += std::fputs(l.c_str(), f) >= 0 && std::fputs("\n", f) >= 0;
  std::fclose(f);
  return n;
}
std::size_t slot_write_w(const std::vector<wstring>& lines, const wstring& file) {
  const intptr_t h = FileOpenW(file.c_str(), L"w", L"UTF8");
  std::size_t n = 0;
  for (const wstring& l : lines) n += WrFileLineW(h, l.c_str());
  FileClose(h);
  return n;
}
std::size_t fputws_write(const std::vector<wstring>& lines, const wstring& file) {
  std::FILE* f = _wfopen(file.c_str(), L"w, ccs=UTF-8");
  std::size_t n = 0;
  for (const wstring& l : lines) n += std::fputws(l.c_str(), f) != WEOF && std::fputws(L"\n", f) != WEOF;
  std::fclose(f);
  return n;
}

struct Size {
  std::size_t bytes;
  string label;
};

void file_rows(std::vector<Row>& rows, const std::vector<Size>& sizes) {
  CreateDirectoryA("bench-wine", nullptr);
  const std::size_t first = rows.size();
  for (const Size& size : sizes) {
    const string text = sjis_lines(size.bytes, 2048);
    const string base = "bench-wine\\" + std::to_string(size.bytes);
    const string sjis_file = base + ".sjis.txt", utf8_file = base + ".utf8.txt", utf16_file = base + ".utf16.txt";
    put_file(sjis_file.c_str(), text);
    const wstring wtext = wide_of_sjis(text);
    string utf8(wtext.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wtext.data(), static_cast<int>(wtext.size()), utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    put_file(utf8_file.c_str(), "\xEF\xBB\xBF" + utf8);
    put_file(utf16_file.c_str(), "\xFF\xFE" + string(reinterpret_cast<const char*>(wtext.data()), wtext.size() * 2));
    std::vector<string> lines;
    std::vector<wstring> wlines;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t end = text.find("\r\n", at);
      lines.push_back(text.substr(at, end - at));
      wlines.push_back(wide_of_sjis(lines.back()));
      at = end + 2;
    }
    const wstring w8(utf8_file.begin(), utf8_file.end()), w16(utf16_file.begin(), utf16_file.end());
    auto add = [&](string path, string floor, std::function<std::size_t()> p, std::function<std::size_t()> f) {
      Row r{path, size.label + " " + (path.back() == 'W' ? "UTF-8" : "Shift_JIS"), floor, size.bytes, 0, p, f};
      rows.push_back(r);
    };
    add("RdFileLine", "fgets loop, text mode", [=] { return slot_lines(sjis_file.c_str()); },
        [=] { return fgets_lines(sjis_file.c_str()); });
    add("RdFileLineW", "fgetws loop, ccs=UTF-8", [=] { return slot_lines_w(w8.c_str(), L"UTF8"); },
        [=] { return fgetws_lines(w8.c_str(), L"r, ccs=UTF-8"); });
    Row r16{"RdFileLineW", size.label + " UTF-16LE", "fgetws loop, ccs=UTF-16LE", size.bytes, 0,
            [=] { return slot_lines_w(w16.c_str(), L"UTF16LE"); }, [=] { return fgetws_lines(w16.c_str(), L"r, ccs=UTF-16LE"); }};
    rows.push_back(r16);
    add("RdFileByte", "fread loop, 64 KB pieces", [=] { return slot_blocks(sjis_file.c_str()); },
        [=] { return fread_blocks(sjis_file.c_str()); });
    const string out = base + ".out", floor_out = base + ".floor.out";
    const wstring out_w(out.begin(), out.end()), floor_out_w(floor_out.begin(), floor_out.end());
    add("WrFileLine", "fputs loop, text mode", [=] { return slot_write(lines, out); },
        [=] { return fputs_write(lines, floor_out); });
    add("WrFileLineW", "fputws loop, ccs=UTF-8", [=] { return slot_write_w(wlines, out_w + L"w"); },
        [=] { return fputws_write(wlines, floor_out_w + L"w"); });
  }
  // Rows at other sizes are scaled against the same path's 64 KB row.
  for (std::size_t i = first; i < rows.size(); ++i)
    for (std::size_t j = first; j < rows.size(); ++j)
      if (rows[j].bytes == 64 * 1024 && rows[j].path == rows[i].path && rows[j].floor == rows[i].floor && i != j)
        rows[i].scale_of = j + 1;
}

// --- the engines -------------------------------------------------------------

template <class Fn>
Fn engine_function(const char* module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name)));
}

void nkf_rows(std::vector<Row>& rows) {
  if (nkf_load("NKF32.DLL") != 1) {
    std::puts("nkf: NKF32.DLL not loaded; rows skipped");
    return;
  }
  using Option = int(WINAPI*)(const char*);
  using Convert = BOOL(WINAPI*)(char*, DWORD, DWORD*, const char*, DWORD);
  const auto set_option = engine_function<Option>("NKF32.DLL", "SetNkfOption");
  const auto convert = engine_function<Convert>("NKF32.DLL", "NkfConvertSafe");
  static string out(1000000, '\0');
  const std::size_t first = rows.size();
  // The result buffer holds 1,000,000 bytes: 600,000 bytes of Shift_JIS
  // prose become about 870,000 bytes of UTF-8.
  for (const Size& size : {Size{1024, "1 KB"}, Size{64 * 1024, "64 KB"}, Size{600000, "600 KB"}}) {
    const string text = sjis_lines(size.bytes, 2048);
    rows.push_back({"nkf_exec -w", size.label + " Shift_JIS", "SetNkfOption + NkfConvertSafe", size.bytes, 0,
                    [=] { return std::strlen(nkf_exec("-w", text.c_str())); },
                    [=] {
                      DWORD written = 0;
                      set_option("-w");
                      convert(out.data(), static_cast<DWORD>(out.size()), &written, text.data(), static_cast<DWORD>(text.size()));
                      return static_cast<std::size_t>(written);
                    }});
  }
  rows[first].scale_of = rows[first + 2].scale_of = first + 2;
}

void mecab_rows(std::vector<Row>& rows) {
  if (mecab_load("libmecab.dll") != 1) {
    std::puts("mecab: libmecab.dll not loaded; rows skipped");
    return;
  }
  struct mecab_t;
  using New = mecab_t* (*)(const char*);
  using Parse = const char* (*)(mecab_t*, const char*, std::size_t, char*, std::size_t);
  static const string options = "-d Z:\\var\\lib\\mecab\\dic\\ipadic-utf8";
  mecab_t* tagger = engine_function<New>("libmecab.dll", "mecab_new2")(options.c_str());
  mecab_t* wakati = engine_function<New>("libmecab.dll", "mecab_new2")((options + " -O wakati").c_str());
  const auto parse = engine_function<Parse>("libmecab.dll", "mecab_sparse_tostr3");
  if (!tagger || !wakati || !parse) {
    std::puts("mecab: no tagger; rows skipped");
    return;
  }
  static string out(1000000, '\0');
  const std::size_t first = rows.size();
  // The bridge takes texts up to 500 KB; a full analysis is about ten times
  // its text, so the analysis rows stop at 64 KB and wakati goes to 400 KB.
  const string sentence = "秀丸エディタのマクロから形態素解析を呼び出す。今日はいい天気ですね。";
  auto prose = [&](std::size_t size) {
    string t;
    while (t.size() + sentence.size() <= size) t += sentence;
    return t;
  };
  for (const Size& size : {Size{1024, "1 KB"}, Size{64 * 1024, "64 KB"}}) {
    const string text = prose(size.bytes);
    rows.push_back({"mecab", size.label + " UTF-8", "mecab_sparse_tostr3, a tagger made once", text.size(), 0,
                    [=] { return std::strlen(mecab(options.c_str(), text.c_str())); },
                    [=] {
                      const char* r = parse(tagger, text.data(), text.size(), out.data(), out.size());
                      return r ? std::strlen(r) : 0;
                    }});
  }
  for (const Size& size : {Size{1024, "1 KB"}, Size{64 * 1024, "64 KB"}, Size{400000, "400 KB"}}) {
    const string text = prose(size.bytes);
    rows.push_back({"mecab_wakati", size.label + " UTF-8", "mecab_sparse_tostr3 -O wakati, made once", text.size(), 0,
                    [=] { return std::strlen(mecab_wakati(options.c_str(), text.c_str())); },
                    [=] {
                      const char* r = parse(wakati, text.data(), text.size(), out.data(), out.size());
                      return r ? std::strlen(r) : 0;
                    }});
  }
  rows[first].scale_of = first + 2;
  rows[first + 2].scale_of = rows[first + 4].scale_of = first + 4;
}

void hunspell_rows(std::vector<Row>& rows) {
  if (hunspell_load("libhunspell.dll") != 1 || hunspell_Create("Z:\\usr\\share\\hunspell\\en_US.dic", "") != 1)
  {
    std::puts("hunspell: not loaded; rows skipped");
    return;
  }
  struct Hunhandle;
  using Create = Hunhandle* (*)(const char*, const char*);
  using Spell = int (*)(Hunhandle*, const char*);
  Hunhandle* own = engine_function<Create>("libhunspell.dll", "Hunspell_create")("Z:\\usr\\share\\hunspell\\en_US.aff",
                                                                                 "Z:\\usr\\share\\hunspell\\en_US.dic");
  const auto spell = engine_function<Spell>("libhunspell.dll", "Hunspell_spell");
  static const char* const kProse[] = {"the", "macro", "reads", "every", "line", "of", "the", "file", "and",
                                       "checks", "its", "spelling", "before", "writing", "a", "report", "teh",
                                       "recieve", "beautiful", "language"};
  std::vector<string> words;
  for (int i = 0; i < 10000; ++i) words.push_back(kProse[i % std::size(kProse)]);
  rows.push_back({"hunspell_Spell", "10,000 words", "Hunspell_spell, a handle of its own", 0, 0,
                  [=] {
                    std::size_t good = 0;
                    for (const string& w : words) good += hunspell_Spell(w.c_str()) > 0;
                    return good;
                  },
                  [=] {
                    std::size_t good = 0;
                    for (const string& w : words) good += spell(own, w.c_str()) > 0;
                    return good;
                  }});
}

void editorconfig_rows(std::vector<Row>& rows) {
  char folder[MAX_PATH];
  GetFullPathNameA("bench-wine\\ec", MAX_PATH, folder, nullptr);
  const string root = folder;
  string at = root;
  CreateDirectoryA(root.c_str(), nullptr);
  put_file((root + "\\.editorconfig").c_str(), "root = true\n[*]\nindent_style = tab\n[*.txt]\ncharset = utf-8\n");
  for (int depth = 1; depth < 5; ++depth) {
    at += "\\d" + std::to_string(depth);
    CreateDirectoryA(at.c_str(), nullptr);
    put_file((at + "\\.editorconfig").c_str(), "[*.{c,h}]\nindent_size = " + std::to_string(depth) + "\n[**/x*.txt]\nend_of_line = lf\n");
  }
  std::vector<string> paths;
  for (int i = 0; i < 1000; ++i) paths.push_back(at + "\\x" + std::to_string(i) + (i % 2 ? ".c" : ".txt"));
  rows.push_back({"EditorConfigExecute", "5 .editorconfig files, 1,000 paths", "editorconfig_parse", 0, 0,
                  [=] {
                    std::size_t n = 0;
                    for (const string& p : paths) n += static_cast<std::size_t>(EditorConfigExecute(p.c_str()));
                    return n;
                  },
                  [=] {
                    std::size_t n = 0;
                    for (const string& p : paths) {
                      editorconfig_handle h = editorconfig_handle_init();
                      if (editorconfig_parse(p.c_str(), h) == 0) n += static_cast<std::size_t>(editorconfig_handle_get_name_value_count(h));
                      editorconfig_handle_destroy(h);
                    }
                    return n;
                  }});
}

// --- windows, a child, an INI section -------------------------------------------

struct Match {
  const char* cls;
  const char* caption;
  std::size_t hits = 0;
};
BOOL CALLBACK compare_window(HWND w, LPARAM param) {
  auto* m = reinterpret_cast<Match*>(param);
  char cls[1024], caption[1024];
  // The same work as the search: visible, unowned windows of the class whose
  // caption is equal, compared as the system compares (lstrcmpA, which may
  // call texts equal that differ in ignorable characters).
  if (IsWindowVisible(w) && !GetWindow(w, GW_OWNER) && GetClassNameA(w, cls, sizeof cls) && lstrcmpA(cls, m->cls) == 0 &&
      GetWindowTextA(w, caption, sizeof caption) >= 0 && lstrcmpA(caption, m->caption) == 0)
    ++m->hits;
  return TRUE;
}

void window_rows(std::vector<Row>& rows) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "LorimaxBench";
  RegisterClassA(&wc);
  for (int i = 0; i < 2000; ++i)
    CreateWindowExA(0, wc.lpszClassName, ("bench " + std::to_string(i % 100)).c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                    nullptr, nullptr, wc.hInstance, nullptr);
  rows.push_back({"SearchWindow mode 1", "2,000 windows, 20 match", "EnumWindows, owner, class and caption by lstrcmpA", 0, 0,
                  [] {
                    SearchWindow("LorimaxBench", "bench 7", 1);
                    return static_cast<std::size_t>(GetSearchWindowCount());
                  },
                  [] {
                    Match m{"LorimaxBench", "bench 7"};
                    EnumWindows(compare_window, reinterpret_cast<LPARAM>(&m));
                    return m.hits;
                  }});
}

// What a caller would write by hand: one pipe for both streams, a loop of
// reads until the pipe breaks, a wait.
std::size_t plain_pipe_loop(const string& command) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  CreatePipe(&read, &write, &inherit, 0);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = write;
  PROCESS_INFORMATION pi{};
  string line = command, buffer(65536, '\0');
  CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(write);
  std::size_t n = 0;
  for (DWORD got = 0; ReadFile(read, buffer.data(), 65536, &got, nullptr) && got;) n += got;
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(read);
  return n;
}

void process_and_ini_rows(std::vector<Row>& rows) {
  const string command = "process_child.exe bulk:1000000";
  rows.push_back({"GetStdout", "1 MB from a child", "a plain pipe loop, 64 KB reads", 1000000, 0,
                  [=] { return std::strlen(GetStdout(command.c_str(), "")); }, [=] { return plain_pipe_loop(command); }});
  const string file = "bench-wine\\big.ini";
  string text = "[big]\r\n";
  int keys = 0;
  for (; text.size() < 32000 - 40; ++keys) text += "key" + std::to_string(keys) + "=value number " + std::to_string(keys + 1) + "\r\n";
  put_file(file.c_str(), text);
  const string last = "key" + std::to_string(keys - 1);
  rows.push_back({"ReadSectionKeys + ExistKey", std::to_string(keys) + " keys", "GetPrivateProfileSectionA", 0, 0,
                  [=] { return static_cast<std::size_t>(ReadSectionKeys(file.c_str(), "big") + ExistKey(last.c_str())); },
                  [=] {
                    static char store[32767];
                    return static_cast<std::size_t>(GetPrivateProfileSectionA("big", store, sizeof store, file.c_str()));
                  }});
}

// --- a macro run's load --------------------------------------------------------

// The editor loads lorimax at a macro's start and frees it at the end: the
// load, one call and the free, of the DLL as the release ships it (a copy
// under a name of its own, since this program has lorimax.dll loaded), beside
// the same for a plain C DLL with one export.
void load_rows(std::vector<Row>& rows) {
  rows.push_back({"LoadLibrary + NumToKanji + FreeLibrary", "lorimax.dll as shipped (stripped)",
                  "LoadLibrary + one call + FreeLibrary of a plain C DLL", 0, 0,
                  [] {
                    HMODULE m = LoadLibraryA("bench-load\\lorimax-shipped.dll");
                    auto first_call = reinterpret_cast<const char* (*)(intptr_t, intptr_t)>(
                        reinterpret_cast<void*>(GetProcAddress(m, "NumToKanji")));
                    const std::size_t n = first_call ? std::strlen(first_call(2026, 1)) : 0;
                    FreeLibrary(m);
                    return n;
                  },
                  [] {
                    HMODULE m = LoadLibraryA("bench-load\\one_export.dll");
                    auto first_call = reinterpret_cast<int (*)(int)>(reinterpret_cast<void*>(GetProcAddress(m, "one_export")));
                    const std::size_t n = first_call ? static_cast<std::size_t>(first_call(5)) : 0;
                    FreeLibrary(m);
                    return n;
                  }});
}

}  // namespace

int main() {
  const char* full = std::getenv("BENCH_WINE_FULL");
  const std::size_t full_mb = full ? std::strtoul(full, nullptr, 10) : 50;
  std::vector<Row> rows;
  file_rows(rows, {{1024, "1 KB"}, {64 * 1024, "64 KB"}, {full_mb * 1000000, std::to_string(full_mb) + " MB"}});
  nkf_rows(rows);
  mecab_rows(rows);
  hunspell_rows(rows);
  editorconfig_rows(rows);
  window_rows(rows);
  process_and_ini_rows(rows);
  load_rows(rows);

  // BENCH_WINE_ONLY keeps the rows whose path contains it.
  if (const char* only = std::getenv("BENCH_WINE_ONLY")) {
    std::vector<Row> kept;
    for (Row& r : rows)
      if (r.path.find(only) != string::npos) kept.push_back(std::move(r));
    for (Row& r : kept) r.scale_of = 0;
    rows = std::move(kept);
  }
  // Repetitions interleaved at random; the first round warms caches and
  // engines, is not counted, and sets how many runs make one sample of the
  // row (the same number for path and floor): enough for kSampleMs.
  constexpr int kReps = 7;
  constexpr double kSampleMs = 25;
  std::vector<int> calls(rows.size(), 1);
  std::mt19937 random(20261208);
  std::vector<Measured> measured(rows.size());
  // Each row's path and floor are interleaved with each other, and the row
  // is measured before the next: a 50 MB read between two MeCab samples
  // evicts the dictionary from the caches, and a 50 MB write between two
  // 1 KB writes leaves the system flushing it while they run.
  for (std::size_t row = 0; row < rows.size(); ++row) {
    std::vector<std::pair<std::size_t, bool>> order{{row, true}, {row, false}};
    for (int rep = 0; rep <= kReps; ++rep) {
      std::shuffle(order.begin(), order.end(), random);
      for (const auto& [i, is_path] : order) {
        Measured& m = measured[i];
        std::size_t figure = 0;
        const double ms = timed(is_path ? rows[i].run_path : rows[i].run_floor, calls[i], figure);
        if (rep == 0) {
          calls[i] = std::max(calls[i], static_cast<int>(std::min(1000.0, std::ceil(kSampleMs / std::max(ms, 1e-3)))));
          continue;
        }
        (is_path ? m.path_ms : m.floor_ms).push_back(ms);
        (is_path ? m.path_figure : m.floor_figure) = figure;
      }
    }
  }
  std::printf("| path | data | floor | path ms | floor ms | ratio | spread | ns/byte | per byte vs 64 KB | work |\n");
  std::printf("|---|---|---|---:|---:|---:|---:|---:|---:|---|\n");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& r = rows[i];
    const Measured& m = measured[i];
    const double p = median(m.path_ms), f = median(m.floor_ms);
    const double spread = (*std::max_element(m.path_ms.begin(), m.path_ms.end()) -
                           *std::min_element(m.path_ms.begin(), m.path_ms.end())) / p;
    char per_byte[32] = "", scale[32] = "";
    if (r.bytes) std::snprintf(per_byte, sizeof per_byte, "%.2f", p * 1e6 / static_cast<double>(r.bytes));
    if (r.scale_of && r.bytes) {
      const std::size_t base = r.scale_of - 1;
      std::snprintf(scale, sizeof scale, "%.2f", (p / static_cast<double>(r.bytes)) /
                                                     (median(measured[base].path_ms) / static_cast<double>(rows[base].bytes)));
    }
    // The work column: what each produced (bytes, lines, hits), one figure when they agree.
    const string work = m.path_figure == m.floor_figure ? std::to_string(m.path_figure)
                                                        : std::to_string(m.path_figure) + " / " + std::to_string(m.floor_figure);
    std::printf("| %s | %s | %s | %.3f | %.3f | %.2f | %.0f%% | %s | %s | %s |\n", r.path.c_str(), r.data.c_str(),
                r.floor.c_str(), p, f, p / f, spread * 100, per_byte, scale, work.c_str());
  }
  return 0;
}
