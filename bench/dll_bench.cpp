// The DLL's costs beside what a caller would write by hand, under Wine:
// GetStdout against a plain pipe loop over the same child, and an INI section
// loaded and looked up against the bare profile call. Times are reported,
// never asserted (a loaded machine would fail them); `make bench-dll` runs it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "exports/api.h"
#include "pattern.h"

namespace {

using std::string;
using clock_type = std::chrono::steady_clock;

double millis(clock_type::time_point a, clock_type::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}
double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// What a caller would write by hand: one pipe for both streams, a loop of
// reads until the pipe breaks, a wait.
string plain_pipe_loop(const string& command, DWORD chunk) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  CreatePipe(&read, &write, &inherit, 0);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = write;
  PROCESS_INFORMATION pi{};
  string line = command, out;
  CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(write);
  string buffer(chunk, '\0');
  for (DWORD n = 0; ReadFile(read, buffer.data(), chunk, &n, nullptr) && n;) out.append(buffer.data(), n);
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(read);
  return out;
}

// Rounds take the three in turn, so that a busy machine slows all alike;
// each keeps its best time.
bool capture() {
  const string command = "process_child.exe bulk:1000000";
  const string expected = bulk_pattern(999999);
  double library = 1e9, loop_1023 = 1e9, loop_65536 = 1e9;
  bool same = true;
  auto timed = [](double& best, auto run) {
    const auto start = clock_type::now();
    run();
    best = std::min(best, millis(start, clock_type::now()));
  };
  for (int round = 0; round < 9; ++round) {
    timed(library, [&] { same = same && GetStdout(command.c_str(), "") == expected; });
    timed(loop_1023, [&] { same = same && plain_pipe_loop(command, 1023).size() == 1000000; });
    timed(loop_65536, [&] { same = same && plain_pipe_loop(command, 65536).size() == 1000000; });
  }
  std::printf("capture of 1,000,000 bytes: GetStdout %.1f ms, plain loop of 1,023-byte reads %.1f ms (ratio %.2f), "
              "of 65,536-byte reads %.1f ms (ratio %.2f)\n",
              library, loop_1023, library / loop_1023, loop_65536, library / loop_65536);
  return same;
}

// The steps alternate round by round, and which goes first alternates too
// (the first profile call of a round pays more); medians of the rounds.
bool ini_section() {
  CreateDirectoryA("bench-ini", nullptr);
  const string file = "bench-ini\\big.ini";
  string text = "[big]\r\n";
  int keys = 0;
  for (; text.size() < 32000 - 40; ++keys) text += "key" + std::to_string(keys) + "=value number " + std::to_string(keys + 1) + "\r\n";
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  const string last = "key" + std::to_string(keys - 1);
  static char store[32767];
  std::vector<double> bare, load, lookup;
  bool same = true;
  auto bare_call = [&] {
    const auto t0 = clock_type::now();
    GetPrivateProfileSectionA("big", store, sizeof store, file.c_str());
    bare.push_back(millis(t0, clock_type::now()));
  };
  for (int i = 0; i < 101; ++i) {
    if (i % 2) bare_call();
    const auto t1 = clock_type::now();
    same = same && ReadSectionKeys(file.c_str(), "big") == keys;
    const auto t2 = clock_type::now();
    same = same && ExistKey(last.c_str()) == keys - 1;
    const auto t3 = clock_type::now();
    load.push_back(millis(t1, t2));
    lookup.push_back(millis(t2, t3));
    if (i % 2 == 0) bare_call();
  }
  const double b = median(bare), l = median(load), k = median(lookup);
  std::printf("INI section of %d keys, %zu bytes: bare GetPrivateProfileSectionA %.3f ms, ReadSectionKeys %.3f ms, "
              "ExistKey(last) %.3f ms, ratio %.2f\n", keys, text.size(), b, l, k, (l + k) / b);
  return same;
}

}  // namespace

int main() {
  const bool captured = capture(), loaded = ini_section();
  if (!captured) std::printf("the captures gave other bytes\n");
  if (!loaded) std::printf("the INI section gave other results\n");
  return captured && loaded ? 0 : 1;
}
