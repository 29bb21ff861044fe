// A kill in the middle of a whole-file rewrite (the editor closed from the task
// manager, or the power gone): lmx makes one rewrite of a large file and is
// killed at several points of it. At every point the user's file holds its old
// content or its new content, whole (an output made anew is whole or absent),
// and the next call in that folder leaves no temporary file behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "exports/api.h"
#include "files.h"
#include "sandbox.h"
#include "text.h"

using namespace hardening;

namespace {

std::string utf16le_ini(std::size_t bytes) {
  std::string ini = "\xFF\xFE";
  for (std::size_t s = 0; ini.size() < bytes; ++s) {
    std::string section = "[section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 20; ++k) section += "key" + std::to_string(k) + "=value " + std::to_string(s * 20 + k) + "\r\n";
    for (char c : section) ini += std::string{c, '\0'};
  }
  return ini;
}

std::string shift_jis_text(std::size_t bytes) {
  const std::string line = sjis(u8"秀丸マクロで日本語のテキストを書き換える。ＮＫＦの変換。\r\n");
  std::string text;
  while (text.size() < bytes) text += line;
  return text;
}

struct Outcome {
  DWORD exit_code;
  double milliseconds;
};

// lmx runs the script's lines in one process; killed after `kill_after_ms`
// (never, when negative).
Outcome run_lmx(const std::wstring& script, double kill_after_ms) {
  std::wstring command = L"\"" + executable_folder() + L"lmx.exe\" -f \"" + script + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(nul);
    return {0xDEADBEEF, 0};
  }
  if (kill_after_ms >= 0 && WaitForSingleObject(pi.hProcess, static_cast<DWORD>(kill_after_ms)) == WAIT_TIMEOUT)
    TerminateProcess(pi.hProcess, 99);
  WaitForSingleObject(pi.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CloseHandle(nul);
  return {code, (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart};
}

std::vector<std::wstring> temporary_files(const std::wstring& folder) {
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((folder + L"\\~lmx*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return found;
  do found.push_back(data.cFileName);
  while (FindNextFileW(h, &data));
  FindClose(h);
  return found;
}

struct Rewrite {
  const char* name;
  std::string original;              // the user's file before
  std::wstring target;               // the file the rewrite makes or replaces
  std::wstring input;                // the file it reads, when not the target
  std::vector<std::string> script;   // lmx lines; {} is the target, {in} the input
};

TEST(Kill, AWholeFileRewriteLeavesTheOldFileOrTheNewOne) {
  const Sandbox box(L"lmx-kills");
  const std::wstring& folder = box.path();
  const std::vector<Rewrite> rewrites = {
      {"WriteIniStrW", utf16le_ini(2'000'000), folder + L"\\big.ini", L"",
       {"WriteIniStrW '{}' \"section0\" \"key0\" \"rewritten\""}},
      {"nkf_fileconvert1", shift_jis_text(4'000'000), folder + L"\\big.txt", L"",
       {"nkf_load \"\"", "nkf_fileconvert1 '{}' \"-w\""}},
      {"nkf_fileconvert2", shift_jis_text(4'000'000), folder + L"\\out.txt", folder + L"\\in.txt",
       {"nkf_load \"\"", "nkf_fileconvert2 '{in}' '{}' \"-w\""}},
  };
  const std::wstring script_file = folder + L"\\rewrite.lmx";
  for (const Rewrite& r : rewrites) {
    SCOPED_TRACE(r.name);
    const std::wstring source = r.input.empty() ? r.target : r.input;
    std::string script;
    for (std::string line : r.script) {
      for (std::size_t at; (at = line.find("{in}")) != std::string::npos;) line.replace(at, 4, ansi(r.input));
      for (std::size_t at; (at = line.find("{}")) != std::string::npos;) line.replace(at, 2, ansi(r.target));
      script += line + "\n";
    }
    write_bytes(ansi(script_file), script);
    auto lay_out = [&] {
      write_bytes(ansi(source), r.original);
      if (!r.input.empty()) DeleteFileW(r.target.c_str());
    };
    // The rewrite once whole: its new content, and how long it takes.
    lay_out();
    const Outcome whole = run_lmx(script_file, -1);
    ASSERT_EQ(whole.exit_code, 0u);
    const std::string old_content = r.input.empty() ? r.original : "";
    const std::string new_content = read_bytes(r.target);
    ASSERT_NE(new_content, old_content);
    ASSERT_TRUE(temporary_files(folder).empty());
    std::string seen;
    for (double fraction : {0.1, 0.35, 0.6, 0.85}) {
      lay_out();
      run_lmx(script_file, fraction * whole.milliseconds);
      const DWORD attributes = GetFileAttributesW(r.target.c_str());
      const std::string now = attributes == INVALID_FILE_ATTRIBUTES ? "" : read_bytes(r.target);
      const char* state = now == old_content ? "old" : now == new_content ? "new" : "cut";
      char line[96];
      std::snprintf(line, sizeof line, " %.0f%%: %s (%zu bytes)", fraction * 100, state, now.size());
      seen += line;
      EXPECT_TRUE(now == old_content || now == new_content)
          << "killed at " << fraction * 100 << "% of " << whole.milliseconds << " ms: " << now.size() << " of "
          << new_content.size() << " bytes";
      // The next call in that folder removes what the killed one left. (A
      // whole output is never overwritten: the retry of a conversion into a
      // new file comes after the user has deleted it.)
      if (!r.input.empty()) DeleteFileW(r.target.c_str());
      EXPECT_EQ(run_lmx(script_file, -1).exit_code, 0u);
      EXPECT_EQ(read_bytes(r.target), new_content);
      EXPECT_TRUE(temporary_files(folder).empty()) << "a temporary file after the next call";
    }
    std::printf("kill: %s, %zu bytes in %.0f ms, killed at%s\n", r.name, new_content.size(), whole.milliseconds,
                seen.c_str());
  }
}

}  // namespace
