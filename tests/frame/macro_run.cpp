#include "macro_run.h"

#include <windows.h>

#include <malloc.h>

#include <cstdio>
#include <string>

#include "files.h"
#include "text.h"

namespace macro_run {
namespace {

using lmx::CallArg;

CallArg I(intptr_t v) { return {.i = v}; }
CallArg S(const std::string& v) { return {.s = v.c_str()}; }
CallArg W(const std::wstring& v) { return {.w = v.c_str()}; }

// Debian's UTF-8 dictionary through Wine's drive for the root; MeCab reads it
// with the mecabrc laid beside libmecab.dll.
const std::string kIpadic = "Z:\\var\\lib\\mecab\\dic\\ipadic-utf8";

// Each open file gets more than the stream buffers hold, and a last line
// without a line feed, so that nothing of it reaches the disk unless the
// stream is flushed and closed.
std::wstring long_text() {
  std::wstring text;
  for (int i = 0; i < 600; ++i) text += L"line " + std::to_wstring(i) + L" \u884C\u304C\u7D9A\u304F\n";
  return text + L"tail without a line feed";
}

// Opens the four files and writes them; leaves them open.
std::vector<std::string> write_open_files(const LoadedLibrary& lorimax, const std::string& folder) {
  std::vector<std::string> failures;
  const std::wstring text = long_text();
  const std::string narrow = ansi(text);
  struct Open {
    const char* file;
    const wchar_t* encoding;  // nullptr: FileOpen in byte mode
  } const opens[] = {{kOpenFiles[0], nullptr}, {kOpenFiles[1], L"UTF8"}, {kOpenFiles[2], L"UTF8BOM"},
                     {kOpenFiles[3], L"UTF16LE"}};
  for (const Open& o : opens) {
    const std::string path = folder + o.file;
    const intptr_t h = o.encoding ? lorimax.integer("FileOpenW", {W(wide(reinterpret_cast<const char8_t*>(path.c_str()))),
                                                                  W(L"w"), W(o.encoding)})
                                  : lorimax.integer("FileOpen", {S(path), S("w")});
    const intptr_t written = h == 0 ? 0
                             : o.encoding ? lorimax.integer("WrFileW", {I(h), W(text)})
                                          : lorimax.integer("WrFile", {I(h), S(narrow)});
    if (written != 1) failures.push_back(std::string("writing ") + o.file);
  }
  return failures;
}

}  // namespace

void lay_out(const std::string& folder) {
  write_bytes(folder + "a.ini", "[s]\r\nk=v\r\nkey=value\r\n[t]\r\n");
  write_bytes(folder + "w.ini", utf16le_file(u8"[s]\r\nk=\u5024\r\nkey=v\r\n[t]\r\n"));
  write_bytes(folder + ".editorconfig", "root = true\r\n[*]\r\nindent_style = tab\r\n");
  write_bytes(folder + "probe.txt", std::string(3000, 'p'));
  // A dictionary of its own: Debian's en_US takes longer to load than the
  // rest of a run together.
  write_bytes(folder + "spell.aff", "SET UTF-8\nTRY esianrtolcdugmphbyfvkwzx\n");
  write_bytes(folder + "spell.dic", "3\nlorimax\nmacro\neditor\n");
}

std::vector<std::string> closed_file_bytes(const LoadedLibrary& lorimax, const std::string& folder) {
  write_open_files(lorimax, folder);
  for (intptr_t h = 1; h <= lmx::kSlotCount; ++h) lorimax.integer("FileClose", {I(h)});
  std::vector<std::string> bytes;
  for (const char* f : kOpenFiles) bytes.push_back(read_bytes(folder + f));
  return bytes;
}

std::vector<std::string> run(const LoadedLibrary& lorimax, const std::string& folder, const Options& options) {
  std::vector<std::string> failures;
  auto expect = [&](bool held, const char* what) {
    if (!held) failures.push_back(what);
  };
  const std::wstring wfolder = wide(reinterpret_cast<const char8_t*>(folder.c_str()));
  const std::string ini = folder + "a.ini", probe = folder + "probe.txt";
  const std::wstring wini = wfolder + L"w.ini";

  // Strings, numbers, URLs and paths, and both result buffers grown.
  expect(lorimax.text("Replace", {S(sjis(u8"秀丸のマクロ")), S(sjis(u8"マクロ")), S("macro"), I(-1)}) ==
             sjis(u8"秀丸のmacro"), "Replace");
  expect(lorimax.text("NumToKanji", {I(2026), I(1)}) == sjis(u8"二千二十六"), "NumToKanji");
  expect(lorimax.text("UrlEncode", {S("a b"), I(1)}) == "a%20b", "UrlEncode");
  expect(lorimax.text("GetFileName", {S(probe)}) == "probe.txt", "GetFileName");
  expect(lorimax.integer("IsFile", {S(probe)}) == 1, "IsFile");
  expect(lorimax.text("String", {I(6000), S("x")}).size() == 6000, "String grows the result buffer");
  expect(lorimax.integer("SetUTF16ConvertString", {S(std::string(6000, 'y'))}) == 1,
         "SetUTF16ConvertString grows the wide result buffer");
  // The size texts of a query, and a fixed time.
  expect(!lorimax.text("GetFileSizeStr", {S(probe)}).empty(), "GetFileSizeStr");
  expect(lorimax.integer("SetTime", {I(1999), I(12), I(31), I(23), I(59), I(58)}) == 1, "SetTime");
  expect(lorimax.text("TimeFormat", {S("%Y")}) == "1999", "TimeFormat of the fixed time");

  // INI lists and cursors, narrow and wide, and a write.
  expect(lorimax.integer("ReadSectionKeys", {S(ini), S("s")}) == 2 && lorimax.integer("NextKey") == 1 &&
             lorimax.text("GetIniKey") == "key", "the narrow key list");
  expect(lorimax.integer("ReadSectionNames", {S(ini)}) == 2 && lorimax.integer("NextSection") == 1, "the narrow sections");
  expect(lorimax.integer("ReadSectionKeysW", {W(wini), W(L"s")}) == 2 && lorimax.integer("NextKeyW") == 1,
         "the wide key list");
  expect(lorimax.integer("ReadSectionNamesW", {W(wini)}) >= 2 && lorimax.integer("NextSectionW") == 1,
         "the wide sections");
  expect(lorimax.integer("WriteIniStrW", {W(wini), W(L"t"), W(L"run"), W(L"\u5024")}) == 1, "WriteIniStrW");
  expect(lorimax.wide_text("GetIniStrW", {W(wini), W(L"t"), W(L"run")}) == L"\u5024", "GetIniStrW");

  // Files left open in every encoding, and the error word of a refused open.
  for (const std::string& f : write_open_files(lorimax, folder)) failures.push_back(f);
  expect(lorimax.integer("FileOpen", {S(""), S("r")}) == 0 && lorimax.integer("FileError") != 0,
         "a refused open sets the error word");

  // The found-window table, and a child's exit code.
  if (options.window)
    expect(lorimax.integer("SearchWindow", {S("*"), S("lorimax unload probe"), I(1 + 16)}) != 0 &&
               lorimax.integer("GetSearchWindowCount") == 1, "SearchWindow finds the test's window");
  if (options.child)
    expect(lorimax.text("GetStdout", {S("process_child.exe out:ran exit:3"), S("")}) == "ran" &&
               lorimax.integer("GetExitCode") == 3, "GetStdout");

  // EditorConfig's lists, then its message of a refused path.
  expect(lorimax.integer("EditorConfigExecute", {S(probe)}) >= 1, "EditorConfigExecute");
  expect(lorimax.integer("EditorConfigExecute", {S("relative.txt")}) == -1 &&
             !lorimax.text("EditorConfigErrorMessage").empty(), "EditorConfig's message");

  if (!options.engines) {
    // Failed loads: each bridge keeps a code or a message.
    expect(lorimax.integer("hunspell_load", {S("no-such-engine.dll")}) == 0, "hunspell_load of nothing");
    expect(lorimax.integer("mecab_load", {S("no-such-engine.dll")}) == 0, "mecab_load of nothing");
    expect(lorimax.integer("nkf_load", {S("no-such-engine.dll")}) == 0, "nkf_load of nothing");
    return failures;
  }
  // The engines loaded and in use, left open, each with a code to clear.
  expect(lorimax.integer("hunspell_load", {S("")}) == 1 &&
             lorimax.integer("hunspell_Create", {S(folder + "spell.dic"), S(folder + "spell.aff")}) == 1 &&
             lorimax.integer("hunspell_Spell", {S("lorimax")}) != 0 && lorimax.integer("hunspell_Suggest", {S("macr")}) >= 1,
         "Hunspell");
  expect(lorimax.integer("mecab_load", {S("")}) == 1 &&
             !lorimax.text("mecab_wakati", {S("-d " + kIpadic), S("\xE3\x81\x99\xE3\x82\x82\xE3\x82\x82")}).empty() &&
             lorimax.text("mecab_wakati", {S("-d " + kIpadic), S("")}).empty() && lorimax.integer("mecab_error") != 0,
         "MeCab");
  expect(lorimax.integer("nkf_load", {S("")}) == 1 && lorimax.text("nkf_exec", {S("-w"), S("abc")}) == "abc" &&
             lorimax.text("nkf_exec", {S("-v"), S("abc")}).empty() && lorimax.integer("nkf_error") != 0,
         "NKF");
  expect(lorimax.integer("hmjre_load", {S("hmjre_standin.dll")}) == 1 &&
             lorimax.integer("hmjre_match", {S("abc"), S("b"), I(0), I(0)}) == 1 && lorimax.text("hmjre_match_string") == "b",
         "the regex DLL");
  return failures;
}

std::vector<std::string> start_state_mismatches(const LoadedLibrary& lorimax) {
  std::vector<std::string> mismatches;
  // Both result buffers at their first size, empty.
  const auto* result = static_cast<const char*>(lorimax.call("GetResult").p);
  const auto* wide_result = static_cast<const wchar_t*>(lorimax.call("GetResultW").p);
  if (_msize(const_cast<char*>(result)) != 4096 || *result) mismatches.push_back("the result buffer");
  if (_msize(const_cast<wchar_t*>(wide_result)) != 4096 * sizeof(wchar_t) || *wide_result)
    mismatches.push_back("the wide result buffer");
  // The fixed time is off: the clock's year, read on either side of the call.
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  const std::string year = lorimax.text("TimeFormat", {S("%Y")});
  GetLocalTime(&after);
  if (year != std::to_string(before.wYear) && year != std::to_string(after.wYear)) mismatches.push_back("TimeFormat");
  // What each family gives before anything happened.
  constexpr intptr_t kEmptyText = INTPTR_MIN;
  const struct {
    const char* name;
    std::vector<CallArg> args;
    intptr_t start;
  } rows[] = {
      {"FileError", {}, 0},
      {"ExistKey", {S("k")}, -2},
      {"ExistKeyW", {W(L"k")}, -2},
      {"ExistSection", {S("s")}, -2},
      {"ExistSectionW", {W(L"s")}, -2},
      {"NextKey", {}, 0},
      {"NextKeyW", {}, 0},
      {"NextSection", {}, 0},
      {"NextSectionW", {}, 0},
      {"GetIniKey", {}, kEmptyText},
      {"GetSectionW", {}, kEmptyText},
      {"GetSizeStr", {S("")}, kEmptyText},
      {"GetUnitStr", {S("")}, kEmptyText},
      {"GetSearchWindowCount", {}, 0},
      {"GetWindowCount", {}, 0},
      {"GetExitCode", {}, -1},
      {"EditorConfigGetKey", {I(0)}, kEmptyText},
      {"EditorConfigErrorMessage", {}, kEmptyText},
      {"hunspell_getmodulefilename", {}, kEmptyText},
      {"hunspell_errormessage", {}, kEmptyText},
      {"mecab_getmodulefilename", {}, kEmptyText},
      {"mecab_error", {}, 0},
      {"mecab_getstrerror", {}, kEmptyText},
      {"nkf_getmodulefilename", {}, kEmptyText},
      {"nkf_error", {}, 0},
      {"hmjre_match_string", {}, kEmptyText},
  };
  for (const auto& row : rows) {
    const lmx::CallResult r = lorimax.call(row.name, row.args.data(), row.args.size());
    const bool held = row.start == kEmptyText ? r.p && (r.kind == 'S' ? *static_cast<const char*>(r.p) == 0
                                                                     : *static_cast<const wchar_t*>(r.p) == 0)
                                              : r.i == row.start;
    if (!held) mismatches.push_back(row.name);
  }
  for (intptr_t h = 1; h <= lmx::kSlotCount; ++h)
    if (lorimax.integer("IsOpen", {I(h)}) != 0) mismatches.push_back("IsOpen(" + std::to_string(h) + ")");
  return mismatches;
}

}  // namespace macro_run
