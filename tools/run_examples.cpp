// Runs the reference's examples (exports/examples.txt, read on standard
// input) against lorimax.dll in a macro folder and writes the file back on
// standard output with each call's result as the library gave it:
//   run_examples C:\macro < exports/examples.txt > fresh.txt
// Each example runs as a macro of its own would: the library loaded afresh
// from the folder and freed at its end, the files it names written first,
// whatever an earlier example left in the folder removed, and a window of
// the editor's class standing in for the editor's own. The program stands in
// for the editor too: it exports the two functions the library calls on it.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "exports/caller.h"
#include "exports/info.h"
#include "tools/examples.h"

namespace {

namespace ex = lmx::examples;

std::vector<std::wstring> g_editor_texts;

// The text read in `code_page`; nothing when it is no text in it.
std::optional<std::wstring> strict_wide(UINT code_page, const std::string& s) {
  if (s.empty()) return std::wstring();
  const int size = static_cast<int>(s.size());
  const int n = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, s.data(), size, nullptr, 0);
  if (n == 0) return std::nullopt;
  std::wstring out(n, L'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, s.data(), size, out.data(), n);
  return out;
}
std::wstring wide_of(UINT code_page, const std::string& s) { return strict_wide(code_page, s).value_or(L"?"); }

std::string narrow_of(UINT code_page, const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(code_page, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(code_page, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// Literal pieces in the code page, raw ones as they are.
std::string bytes_of(const ex::Text& t, UINT code_page) {
  std::string out;
  for (const auto& p : t) out += p.raw ? p.bytes : narrow_of(code_page, wide_of(CP_UTF8, p.bytes));
  return out;
}

// A narrow result as the file writes it: read in `code_page`, or byte for
// byte where it is no text in it.
std::string quoted_narrow(const std::string& bytes, UINT code_page) {
  const auto w = strict_wide(code_page, bytes);
  return w ? ex::quoted(narrow_of(CP_UTF8, *w)) : ex::quoted(bytes, true);
}

// A result that varies is written as ~, unless it is the failure: an example
// must not pass for one that works when it does not.
std::string result_text(const lmx::CallResult& r, const ex::Call& c, const lmx::ExportInfo& e) {
  const bool failed = r.kind == 'I' ? e.failure.is(r.i)
                      : r.kind == 'S' ? !r.p || !*static_cast<const char*>(r.p)
                                      : !r.p || !*static_cast<const wchar_t*>(r.p);
  for (const char* varies : {"handle", "clock", "system", "editor", "engine"})
    if (c.has(varies) && !failed) return "~";
  if (r.kind == 'I') return std::to_string(static_cast<long long>(r.i));
  if (!r.p) return "(null)";
  if (r.kind == 'S') return quoted_narrow(static_cast<const char*>(r.p), c.has("utf8") ? CP_UTF8 : 932);
  return ex::quoted(narrow_of(CP_UTF8, static_cast<const wchar_t*>(r.p)));
}

bool write_file(const std::wstring& path, const std::string& bytes) {
  // Its folders first, one level at a time.
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(h);
  return ok;
}

std::string file_bytes(const ex::File& f) {
  if (f.encoding == "utf16le") {
    const std::wstring w = wide_of(CP_UTF8, ex::joined(f.content));
    return std::string("\xFF\xFE", 2) + std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
  }
  if (f.encoding == "cp932") return bytes_of(f.content, 932);
  return (f.encoding == "utf8bom" ? "\xEF\xBB\xBF" : "") + ex::joined(f.content);
}

std::set<std::wstring> names_in(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (wcscmp(d.cFileName, L".") && wcscmp(d.cFileName, L"..")) names.insert(d.cFileName);
  } while (FindNextFileW(h, &d));
  FindClose(h);
  return names;
}

void remove_tree(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(path.c_str());
    return;
  }
  for (const auto& name : names_in(path)) remove_tree(path + L"\\" + name);
  RemoveDirectoryW(path.c_str());
}

// The editor's windows as a macro finds them: two files open, memo.txt in
// front, its window owning a display text on the clipboard.
struct EditorWindows {
  HWND back, front;
};
HWND editor_window(const wchar_t* caption) {
  static const wchar_t kClass[] = L"Hidemaru32Class";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kClass;
    registered = RegisterClassW(&wc) != 0;
  }
  HWND window = CreateWindowExW(0, kClass, caption, WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
  if (window) ShowWindow(window, SW_SHOWNORMAL);
  return window;
}
EditorWindows editor_windows() {
  const EditorWindows w{editor_window(L"todo.txt - 秀丸"), editor_window(L"memo.txt - 秀丸")};
  if (!w.front) return w;
  SetForegroundWindow(w.front);
  const std::string text = narrow_of(932, L"秀丸のクリップボード");
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return w;
  CopyMemory(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (OpenClipboard(w.front)) {
    EmptyClipboard();  // the window becomes the owner
    if (SetClipboardData(CF_DSPTEXT, block)) block = nullptr;
    CloseClipboard();
  }
  if (block) GlobalFree(block);
  return w;
}

std::size_t export_index(const std::string& name) {
  for (std::size_t i = 0; i < lmx::kExportCount; ++i)
    if (name == lmx::kExportInfo[i].name) return i;
  return lmx::kExportCount;
}

// Runs one example; false (with the reason) when it cannot be run as written.
bool run(const ex::Entry& entry, const std::wstring& folder, std::vector<std::string>& lines, std::string& fault) {
  for (const auto& step : entry.steps)
    if (!step.is_call && !write_file(wide_of(CP_UTF8, ex::joined(step.file.path)), file_bytes(step.file)))
      return fault = "cannot write " + step.file.path_source, false;
  const EditorWindows windows = editor_windows();
  HMODULE library = LoadLibraryW((folder + L"\\lorimax.dll").c_str());
  if (!library) return fault = "cannot load lorimax.dll from the macro folder", false;
  std::map<std::string, intptr_t> variables;
  for (const auto& step : entry.steps) {
    if (!step.is_call) continue;
    const ex::Call& c = step.call;
    const std::size_t index = export_index(c.name);
    const lmx::ExportInfo* e = index < lmx::kExportCount ? &lmx::kExportInfo[index] : nullptr;
    if (!e || c.args.size() != std::strlen(e->kinds)) {
      fault = "line " + std::to_string(step.line + 1) + ": no export " + c.name + " with these arguments";
      break;
    }
    std::vector<std::string> narrow(c.args.size());
    std::vector<std::wstring> wides(c.args.size());
    lmx::CallArg pass[lmx::kMostArguments];
    for (std::size_t k = 0; k < c.args.size(); ++k) {
      const ex::Arg& a = c.args[k];
      if (a.kind == ex::Arg::variable && !variables.count(a.source)) {
        fault = "line " + std::to_string(step.line + 1) + ": " + a.source + " is set by no earlier call";
        break;
      }
      pass[k].i = a.kind == ex::Arg::variable ? variables[a.source] : a.number;
      narrow[k] = bytes_of(a.text, 932);
      wides[k] = wide_of(CP_UTF8, ex::joined(a.text));
      pass[k].s = narrow[k].c_str();
      pass[k].w = wides[k].c_str();
    }
    if (!fault.empty()) break;
    g_editor_texts.clear();
    const lmx::CallResult r =
        lmx::kCallers[index](reinterpret_cast<void*>(GetProcAddress(library, e->name)), pass);
    if (!c.variable.empty()) variables[c.variable] = r.i;
    std::string result = result_text(r, c, *e);
    if (!g_editor_texts.empty() && result != "~") {
      std::wstring all;
      for (const auto& t : g_editor_texts) all += t;
      result += " editor " + ex::quoted(narrow_of(CP_UTF8, all));
    }
    lines[step.line] = c.head + " " + std::string(ex::kArrow) + " " + result;
  }
  FreeLibrary(library);
  for (HWND w : {windows.front, windows.back})
    if (w) DestroyWindow(w);
  return fault.empty();
}

}  // namespace

extern "C" __declspec(dllexport) int __cdecl Hidemaru_EvalMacro(const wchar_t* text) {
  g_editor_texts.emplace_back(text ? text : L"");
  return 1;
}

// The editor's analysis of a file's encoding: the stand-in has none.
extern "C" __declspec(dllexport) int __cdecl Hidemaru_AnalyzeEncoding(const wchar_t*, void*, void*) { return 0; }

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: run_examples <macro folder> < examples.txt > fresh.txt\n");
    return 2;
  }
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::string text;
  char chunk[65536];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;) text.append(chunk, n);
  ex::Examples x = ex::parse(text);
  for (const auto& f : x.faults) std::fprintf(stderr, "run_examples: %s\n", f.c_str());
  if (!x.faults.empty()) return 2;

  const std::wstring folder = argv[1];
  const std::set<std::wstring> layout = names_in(folder);
  int status = 0;
  for (const auto& entry : x.entries) {
    for (const auto& name : names_in(folder))
      if (!layout.count(name)) remove_tree(folder + L"\\" + name);
    std::string fault;
    if (!run(entry, folder, x.lines, fault)) {
      std::fprintf(stderr, "run_examples: %s: %s\n", entry.name.c_str(), fault.c_str());
      status = 1;
    }
  }
  std::string out;
  for (const auto& line : x.lines) out += line + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return status;
}
