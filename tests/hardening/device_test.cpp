// Device names across every export that opens a path (the table's FILE
// marks): each reserved name, in each form a user may write it, gives the
// export's failure value and its family's error at once (a read of COM1 waits
// for ever on a serial port, a write to NUL loses its text), and the folder
// and the temporary folder are as they were. The same call with a file there
// does not fail, so the failure is the device's.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "calls.h"
#include "device_names.h"
#include "exports/api.h"
#include "files.h"
#include "sandbox.h"
#include "text.h"

using namespace hardening;

namespace {

std::vector<std::wstring> wide_device_paths(const std::wstring& folder) {
  std::vector<std::wstring> paths;
  for (const std::u16string& p : ::device_paths(std::u16string(folder.begin(), folder.end())))
    paths.emplace_back(p.begin(), p.end());
  return paths;
}

// The names and sizes of what a folder holds.
std::map<std::wstring, ULONGLONG> listing(const std::wstring& folder) {
  std::map<std::wstring, ULONGLONG> files;
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return files;
  do files[data.cFileName] = (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  while (FindNextFileW(h, &data));
  FindClose(h);
  return files;
}

// A sound call of each export that opens a path: "{}" is the path (a file
// named `fixture` in the sandbox for the control), "{2}" a second file that
// the call makes; the family's error after a refusal, and what it must be.
struct OpeningCall {
  const char* name;
  std::vector<std::wstring> args;
  const wchar_t* fixture;
  const char* error_export;  // nullptr: the family keeps none
  intptr_t error;            // INTPTR_MIN: a non-empty message
  bool control = true;       // false: the export cannot succeed here (no HTML Help)
  intptr_t output_error = 0;  // the error for the second path, where it differs
};
constexpr intptr_t kMessage = INTPTR_MIN;

const std::vector<OpeningCall>& opening_calls() {
  static const std::vector<OpeningCall> calls = {
      {"AnalyzeEncoding", {L"{}"}, L"text.txt", nullptr, 0},
      {"ReadSectionKeys", {L"{}", L"s"}, L"w.ini", nullptr, 0},
      {"ReadSectionKeysW", {L"{}", L"s"}, L"w.ini", nullptr, 0},
      {"ReadSectionNames", {L"{}"}, L"w.ini", nullptr, 0},
      {"ReadSectionNamesW", {L"{}"}, L"w.ini", nullptr, 0},
      {"GetIniNumW", {L"{}", L"s", L"n"}, L"w.ini", nullptr, 0},
      {"GetIniStrW", {L"{}", L"s", L"n"}, L"w.ini", nullptr, 0},
      {"IsUTF16LE", {L"{}"}, L"w.ini", nullptr, 0},
      {"IsBOM", {L"{}"}, L"w.ini", nullptr, 0},
      {"WriteIniNumW", {L"{}", L"s", L"n", L"7"}, L"w.ini", nullptr, 0},
      {"WriteIniStrW", {L"{}", L"s", L"n", L"7"}, L"w.ini", nullptr, 0},
      {"FileOpen", {L"{}", L"a"}, L"text.txt", "FileError", 2},
      {"FileOpenW", {L"{}", L"a", L"UTF8"}, L"text.txt", "FileError", 2},
      {"OpenHtmlHelp", {L"{}", L"topic"}, L"text.txt", nullptr, 0, false},
      {"hunspell_load", {L"{}"}, L"libhunspell.dll", "hunspell_errormessage", kMessage},
      {"hunspell_Create", {L"{}", L""}, L"spell.dic", "hunspell_errormessage", kMessage},
      {"hunspell_SetDictionary", {L"{}"}, L"spell.dic", "hunspell_errormessage", kMessage},
      {"hunspell_AddDictionary", {L"{}"}, L"spell.dic", "hunspell_errormessage", kMessage},
      {"mecab_load", {L"{}"}, L"libmecab.dll", "mecab_error", 3},
      {"nkf_load", {L"{}"}, L"NKF32.DLL", "nkf_error", 3},
      {"nkf_fileconvert1", {L"{}", L"-w"}, L"text.txt", "nkf_error", 7},
      {"nkf_fileconvert2", {L"{}", L"{2}", L"-w"}, L"text.txt", "nkf_error", 7, true, 8},
  };
  return calls;
}

class Devices : public ::testing::Test {
 protected:
  Devices() {
    box_.write(L"w.ini", utf16le_file(u8"[s]\r\nn=1\r\n"));
    box_.write(L"text.txt", "text\r\n");
    box_.write(L"spell.aff", "SET UTF-8\n");
    box_.write(L"spell.dic", "1\nlorimax\n");
    for (const wchar_t* engine : {L"libhunspell.dll", L"libmecab.dll", L"NKF32.DLL"})
      CopyFileW((executable_folder() + engine).c_str(), (box_.path() + L"\\" + engine).c_str(), FALSE);
  }
  // The engines the bridges' file exports need, loaded and in use.
  void engines_in_use() {
    const std::string folder = box_.narrow_path() + "\\";
    ASSERT_EQ(hunspell_load(""), 1);
    ASSERT_EQ(hunspell_Create((folder + "spell.dic").c_str(), ""), 1);
    ASSERT_EQ(nkf_load(""), 1);
  }
  // Calls the export with "{}" as the path (and "{2}" as a new file).
  Outcome call(const OpeningCall& c, const std::wstring& path, const std::wstring& second) {
    const Export* e = find_export(c.name);
    std::vector<std::wstring> wide_args;
    std::vector<std::string> narrow_args;
    for (const std::wstring& a : c.args) {
      wide_args.push_back(a == L"{}" ? path : a == L"{2}" ? second : a);
      narrow_args.push_back(ansi(wide_args.back()));
    }
    Arg args[lmx::kMostArguments];
    for (std::size_t i = 0; i < wide_args.size(); ++i)
      args[i] = {.i = std::wcstoll(wide_args[i].c_str(), nullptr, 10), .s = narrow_args[i].c_str(), .w = wide_args[i].c_str()};
    return e->call(args);
  }
  static bool failed(const Export& e, const Outcome& r) {
    if (r.kind == 'I') return e.info.failure.is(r.i);
    return r.kind == 'S' ? *static_cast<const char*>(r.p) == 0 : *static_cast<const wchar_t*>(r.p) == 0;
  }

  Sandbox box_{L"lmx-devices"};
};

TEST_F(Devices, RefusedByEveryExportThatOpensAPath) {
  engines_in_use();
  // Every export the table marks as opening a path has a call here, and no other.
  std::set<std::string> marked, called;
  for (const Export& e : exports())
    for (std::size_t i = 0; e.info.kinds[i]; ++i)
      if (e.info.marks[i].kind == lmx::Mark::file) marked.insert(e.info.name);
  for (const OpeningCall& c : opening_calls()) called.insert(c.name);
  EXPECT_EQ(marked, called);

  wchar_t temp_folder[MAX_PATH];
  GetTempPathW(MAX_PATH, temp_folder);
  const auto box_before = listing(box_.path());
  const auto temp_before = listing(temp_folder);
  const std::vector<std::wstring> devices = wide_device_paths(box_.path());
  std::size_t refused = 0;
  for (const OpeningCall& c : opening_calls()) {
    const Export* e = find_export(c.name);
    ASSERT_NE(e, nullptr) << c.name;
    std::vector<std::size_t> file_args;
    for (std::size_t i = 0; i < c.args.size(); ++i)
      if (e->info.marks[i].kind == lmx::Mark::file) file_args.push_back(i);
    for (std::size_t which : file_args) {
      for (const std::wstring& device : devices) {
        // The path argument at hand gets the device; another one a sound file.
        OpeningCall one = c;
        for (std::size_t i = 0; i < one.args.size(); ++i)
          if (i != which && one.args[i] == L"{}") one.args[i] = box_.path() + L"\\" + c.fixture;
        one.args[which] = L"{}";
        const Outcome r = call(one, device, box_.path() + L"\\new-output.txt");
        const std::string label = std::string(c.name) + " argument " + std::to_string(which) + ": " + ansi(device);
        EXPECT_TRUE(failed(*e, r)) << label;
        if (c.error_export) {
          const Outcome error = find_export(c.error_export)->call(nullptr);
          if (c.error == kMessage)
            EXPECT_STRNE(static_cast<const char*>(error.p), "") << label;
          else
            EXPECT_EQ(error.i, which > 0 && c.output_error ? c.output_error : c.error) << label;
        }
        ++refused;
      }
    }
    if (std::string(c.name).ends_with("_load")) engines_in_use();  // a refused load lets the engine go
  }
  EXPECT_EQ(listing(box_.path()), box_before);
  EXPECT_EQ(listing(temp_folder), temp_before);
  std::printf("devices: %zu paths of %zu device names refused by %zu exports (%zu calls)\n", devices.size(),
              documented_device_names().size(), opening_calls().size(), refused);

  // The controls: the same calls with a file there.
  for (const OpeningCall& c : opening_calls()) {
    if (!c.control) continue;
    const Export* e = find_export(c.name);
    DeleteFileW((box_.path() + L"\\new-output.txt").c_str());
    const Outcome r = call(c, box_.path() + L"\\" + c.fixture, box_.path() + L"\\new-output.txt");
    EXPECT_FALSE(failed(*e, r)) << c.name << " on a file: the arguments are not sound";
    if (std::string(c.name).starts_with("FileOpen")) FileClose(r.i);
    if (std::string(c.name).ends_with("_load")) engines_in_use();  // a load with a path replaces the engine
  }
}

}  // namespace
