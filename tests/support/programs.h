// Running a helper program of the tests to its end.
#ifndef LORIMAX_TESTS_PROGRAMS_H
#define LORIMAX_TESTS_PROGRAMS_H

#include <windows.h>

#include <string>

// The program's exit code after at most 30 s; kNotRun when it could not start.
inline constexpr DWORD kNotRun = 0xDEADBEEF;
inline DWORD run_to_exit(std::string command) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return kNotRun;
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = kNotRun;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

#endif
