// Leak rounds: each stateful family runs its round many times (10,000 by
// default; LMX_LEAK_ROUNDS sets it), and the process's handle count and
// private bytes must stay flat.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "exports/api.h"
#include "handles.h"
#include "sandbox.h"
#include "text.h"

using namespace hardening;

namespace {

struct Usage {
  DWORD handles = 0;
  SIZE_T private_bytes = 0;
};

// Wine 8 answers 0 for both GetProcessHandleCount and PrivateUsage; handles.h
// counts both another way.

Usage usage() {
  Usage u;
  u.handles = reported_handles();
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  u.private_bytes = counters.PrivateUsage;
  if (!u.handles) u.handles = probed_handles();
  if (!u.private_bytes) u.private_bytes = committed_private_bytes();
  return u;
}

std::size_t rounds() {
  const char* v = std::getenv("LMX_LEAK_ROUNDS");
  return v && *v ? std::strtoull(v, nullptr, 10) : 10'000;
}

constexpr std::size_t kEngineLoadRounds = 100;

struct Family {
  const char* name;
  std::function<void()> round;
  // The round loads and frees an engine library, which costs milliseconds
  // under Wine: such rounds run at most kEngineLoadRounds times.
  bool loads_an_engine = false;
  // A child process under Wine costs tens of milliseconds, far more on a busy
  // machine; a handle lost per round shows in kEngineLoadRounds rounds too.
  bool starts_a_process = false;
};

class Leaks : public ::testing::Test {
 protected:
  Sandbox box_{L"lmx-leaks"};
};

TEST_F(Leaks, StatefulFamiliesStayFlat) {
  const std::string folder = box_.narrow_path() + "\\";
  const std::wstring wfolder = box_.path() + L"\\";
  box_.write(L"a.ini", "[s]\r\nabc=1\r\nkey=value\r\n[t]\r\n");
  box_.write(L"w.ini", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22));
  box_.write(L".editorconfig", "root = true\r\n[*]\r\nindent_style = tab\r\n");
  box_.write(L"x.txt", "x\r\n");
  const std::string ini = folder + "a.ini", file = folder + "x.txt";
  const std::wstring wini = wfolder + L"w.ini";
  const std::string child = "\"" + ansi(executable_folder() + L"sweep_child.exe") + "\" leak";

  const std::vector<Family> families = {
      {"INI loads", [&] {
         ReadSectionKeys(ini.c_str(), "s");
         ExistKey("key");
         NextKey();
         GetIniKeyValue();
         ReadSectionNames(ini.c_str());
         ReadSectionKeysW(wini.c_str(), L"s");
         ReadSectionNamesW(wini.c_str());
         GetIniStrW(wini.c_str(), L"s", L"k");
         WriteIniStrW(wini.c_str(), L"s", L"k", L"v");
       }},
      {"file slots", [&] {
         const intptr_t w = FileOpenW(L"slot.txt", L"w", L"UTF8");
         WrFileLineW(w, L"line");
         FileClose(w);
         const intptr_t r = FileOpen("slot.txt", "r");
         RdFile2(r);
         FileClose(r);
         FileDelete("slot.txt");
       }},
      {"window searches", [] {
         SearchWindow("", "", 0);
         NextWindowHandle();
       }},
      {"regex bridge loaded and freed", [] {
         hmjre_load("");
         hmjre_free();
       }},
      {"spell bridge in use", [] {
         static const bool loaded = (hunspell_load(""),
                                     hunspell_Create("Z:\\usr\\share\\hunspell\\en_US", ""), true);
         (void)loaded;
         hunspell_Spell("speling");
         hunspell_Add("lorimax");
         hunspell_Remove("lorimax");
       }},
      {"spell bridge loaded and freed", [] {
         hunspell_load("");
         hunspell_free();
       }, true},
      {"MeCab bridge loaded and freed", [] {
         mecab_load("");
         mecab_free();
       }, true},
      {"MeCab bridge in use", [] {
         static const bool loaded = (mecab_load(""), true);
         (void)loaded;
         mecab("", "\xE3\x81\x99\xE3\x82\x82\xE3\x82\x82");
       }},
      {"NKF bridge loaded and freed", [] {
         nkf_load("");
         nkf_free();
       }},
      {"GetStdout", [&] {
         GetStdout(child.c_str(), "input");
         GetExitCode();
       }, false, true},
      {"EditorConfig queries", [&] {
         EditorConfigExecute(file.c_str());
         EditorConfigClear();
       }},
  };

  // The instruments see one handle and one megabyte.
  {
    const Usage before = usage();
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    void* block = VirtualAlloc(nullptr, 1 << 20, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const Usage after = usage();
    EXPECT_EQ(after.handles, before.handles + 1);
    EXPECT_EQ(after.private_bytes, before.private_bytes + (1 << 20));
    VirtualFree(block, 0, MEM_RELEASE);
    CloseHandle(event);
  }

  for (const Family& f : families) {
    const std::size_t n = f.loads_an_engine || f.starts_a_process ? std::min(rounds(), kEngineLoadRounds) : rounds();
    // Let buffers and caches reach their size first: the system's own caches
    // (the profile functions', the heap's) grow once by several hundred KB.
    for (std::size_t i = 0; i < n / 2 + 200; ++i) f.round();
    const Usage before = usage();
    const DWORD start = GetTickCount();
    for (std::size_t i = 0; i < n; ++i) f.round();
    const Usage after = usage();
    const long long handles = static_cast<long long>(after.handles) - before.handles;
    const long long bytes = static_cast<long long>(after.private_bytes) - static_cast<long long>(before.private_bytes);
    std::printf("leaks: %-32s %zu rounds in %lu ms: handles %lu -> %lu (%+lld), private bytes %zu -> %zu (%+lld)\n", f.name,
                n, GetTickCount() - start, before.handles, after.handles, handles, before.private_bytes,
                after.private_bytes, bytes);
    ASSERT_GT(before.handles, 0u) << "no handle count";
    ASSERT_GT(before.private_bytes, 0u) << "no private bytes";
    // One handle or 64 bytes lost per round would show far beyond these.
    EXPECT_LE(handles, 2) << f.name;
    EXPECT_LE(bytes, static_cast<long long>(n) * 16 + 256 * 1024) << f.name;
  }
  std::fflush(stdout);
}

}  // namespace
