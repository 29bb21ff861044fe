// GetStdout, GetExitCode and RUNSYNC under Wine, with the tests' own child
// program (process_child.exe, see child.cpp) as the program they run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "exports/api.h"
#include "handles.h"
#include "pattern.h"

namespace {

using std::string;

string child(const string& steps) { return "process_child.exe " + steps; }
const string kMissingProgram = "lorimax_no_such_program.exe";

TEST(Capture, NoChildRunYet) {  // runs first
  EXPECT_EQ(GetExitCode(), -1);
}

TEST(Capture, OutputInputAndExitCodes) {
  const string long_input(5000, 'L');
  struct Case {
    string steps, input, output;
    intptr_t code;
  } cases[] = {
      {"", "", "", 0},  // writes nothing
      {"out:hello err:\\x20world exit:3", "", "hello world", 3},
      {"out:1 err:2 out:3 err:4", "", "1234", 0},  // one pipe, in the order written
      {"exit:0xFFFFFFFF", "", "", 4294967295},
      {"in", "abc", "abc\r\n", 0},
      {"in out:. exit:5", "", ".", 5},              // empty input writes nothing
      {"out:\\x95\\x5C\\x83\\x81", "", "\x95\x5C\x83\x81", 0},  // bytes as written
      {"out:a\\0b\\0\\0c", "", "abc", 0},          // zero bytes are left out
      {"out:a nothing out:b nothing", "", "ab", 0},  // a write of no bytes ends nothing
      {"in", string(1021, 'x'), string(1021, 'x') + "\r\n", 0},
      {"in", long_input, long_input + "\r\n", 0},  // longer than 1,021: whole
  };
  for (const auto& c : cases) {
    const char* out = GetStdout(child(c.steps).c_str(), c.input.c_str());
    EXPECT_EQ(out, GetResult()) << c.steps;
    EXPECT_EQ(string(out), c.output) << c.steps;
    EXPECT_EQ(GetExitCode(), c.code) << c.steps;
  }
}

TEST(Capture, StateRules) {
  GetStdout(child("out:kept exit:3").c_str(), "");
  ASSERT_EQ(GetExitCode(), 3);
  EXPECT_EQ(RUNSYNC(child("exit:5").c_str(), -1, 0), 5);
  EXPECT_EQ(GetExitCode(), 3);  // RUNSYNC leaves the capture alone

  const char* failed = GetStdout(kMissingProgram.c_str(), "abc");
  EXPECT_NE(failed, GetResult());
  EXPECT_STREQ(failed, "");
  EXPECT_STREQ(GetResult(), "kept");  // a failed start does not touch the buffer
  EXPECT_EQ(GetExitCode(), -1);

  GetStdout(child("exit:4").c_str(), "");
  EXPECT_EQ(GetExitCode(), 4);
  EXPECT_STREQ(GetStdout("", ""), "");
  EXPECT_EQ(GetExitCode(), -1);  // an empty command also ran no child
  EXPECT_EQ(RUNSYNC(child("exit:6").c_str(), -1, 0), 6);
  EXPECT_EQ(GetExitCode(), -1);
}

// Whatever the child does with its pipes, the call returns with the output
// in order, kept up to 999,999 bytes (the cap less the terminator).
TEST(Capture, NeverBlocked) {
  const string big_input(300000, 'i');
  struct Case {
    string steps, input, output;
  } cases[] = {
      {"bulk:999999 exit:7", "", bulk_pattern(999999)},
      {"bulk:1000000 exit:7", "", bulk_pattern(999999)},
      {"bulk:10000000 exit:7", "", bulk_pattern(999999)},
      // reads all its input before it writes
      {"in bulk:10000000 exit:7", "x", "x\r\n" + bulk_pattern(999996)},
      // never reads a large input while it writes a lot
      {"bulk:10000000 exit:7", big_input, bulk_pattern(999999)},
  };
  for (const auto& c : cases) {
    const string out = GetStdout(child(c.steps).c_str(), c.input.c_str());
    EXPECT_EQ(out.size(), c.output.size()) << c.steps;
    EXPECT_TRUE(out == c.output) << c.steps;
    EXPECT_EQ(GetExitCode(), 7) << c.steps;
  }
}

// A child that leaves a process of its own behind, holding the output pipe:
// the call returns when the child has ended, not when the pipe breaks.
TEST(Capture, NotHeldByWhatTheChildStarted) {
  const string out = GetStdout(child("spawn:sleep:30000 exit:2").c_str(), "");
  EXPECT_EQ(GetExitCode(), 2);
  const HANDLE left = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, std::strtoul(out.c_str(), nullptr, 10));
  ASSERT_NE(left, nullptr) << out;
  EXPECT_EQ(WaitForSingleObject(left, 0), WAIT_TIMEOUT);  // still running, still holding the pipe
  TerminateProcess(left, 0);
  CloseHandle(left);
}


TEST(Capture, NoHandleLeftOpen) {
  const string reads_and_writes = child("in out:x exit:1"), exits = child("exit:1");
  // One call in ten starts a child; the others fail to start one.
  auto call = [&](int i) {
    switch (i % 10) {
      case 0: return i % 20 ? RUNSYNC(exits.c_str(), -1, 0) == 1 : string(GetStdout(reads_and_writes.c_str(), "abc")) == "abc\r\nx";
      case 1: case 3: case 5: return GetStdout(kMissingProgram.c_str(), "abc")[0] == 0 && GetExitCode() == -1;
      case 2: case 4: case 6: return RUNSYNC(kMissingProgram.c_str(), -1, 0) == -1;
      case 7: return GetStdout("", "abc")[0] == 0;
      default: return RUNSYNC("", -2, 0) == -2;
    }
  };
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(call(i)) << i;  // first calls may open lasting handles
  // Probed, not asked: Wine's GetProcessHandleCount answers 0 whatever is open.
  const DWORD before = probed_handles();
  int good = 0;
  for (int i = 0; i < 1000; ++i) good += call(i);
  EXPECT_EQ(good, 1000);
  EXPECT_EQ(probed_handles(), before);
}

TEST(RunSync, ExitCodesAndFailures) {
  struct Case {
    string command;
    intptr_t failure, expected;
  } cases[] = {
      {child("exit:0"), -1, 0},
      {child("exit:3"), -1, 3},
      {child("exit:0xFFFFFFFF"), -1, 4294967295},
      {"", 7, 7},
      {kMissingProgram, INT64_MIN + 5, INT64_MIN + 5},  // all 64 bits come back
  };
  for (const auto& c : cases) EXPECT_EQ(RUNSYNC(c.command.c_str(), c.failure, 0), c.expected) << c.command;
}

// The child reports dwFlags << 16 | wShowWindow of its startup record as its code.
TEST(RunSync, ShowCodes) {
  struct Case {
    intptr_t show;
    WORD state;
  } cases[] = {
      {0, SW_HIDE},           {1, SW_SHOWNORMAL},         {2, SW_SHOWMINIMIZED}, {3, SW_SHOWMAXIMIZED},
      {4, SW_SHOWNOACTIVATE}, {5, SW_SHOWNORMAL},         {6, SW_MINIMIZE},      {7, SW_SHOWMINNOACTIVE},
      {8, SW_SHOWNA},         {9, SW_SHOWNORMAL},         {10, SW_SHOWDEFAULT},  {11, SW_SHOWNORMAL},
      {-1, SW_SHOWNORMAL},    {INT64_MIN, SW_SHOWNORMAL}, {0x100000000, SW_SHOWNORMAL},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RUNSYNC(child("show").c_str(), -1, c.show), STARTF_USESHOWWINDOW << 16 | c.state) << c.show;
  // GetStdout's child: hidden, with its standard handles given.
  EXPECT_STREQ(GetStdout(child("show").c_str(), ""), "");
  EXPECT_EQ(GetExitCode(), (STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES) << 16 | SW_HIDE);
}

}  // namespace
