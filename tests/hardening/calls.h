// Every export of the table as something a test can call with arguments
// chosen at run time, and what the hardening tests expect of each: its
// failure value, the range of its integer results, and how the arguments of
// the exports with effects outside the process are held.
#ifndef LORIMAX_TESTS_HARDENING_CALLS_H
#define LORIMAX_TESTS_HARDENING_CALLS_H

#include <cstdint>
#include <string>
#include <vector>

#include "exports/info.h"

namespace hardening {

struct Arg {
  intptr_t i = 0;
  const char* s = nullptr;
  const wchar_t* w = nullptr;
};

struct Outcome {
  char kind;  // 'I', 'S' or 'W'
  intptr_t i = 0;
  const void* p = nullptr;
};

struct Export {
  const lmx::ExportInfo& info;
  Outcome (*call)(const Arg*);
  // The same export at an address looked up in another copy of the library.
  Outcome (*call_at)(void* address, const Arg*);
};
const std::vector<Export>& exports();
const Export* find_export(const std::string& name);

// How the sweep draws one argument. `any` takes the whole hostile pool of its
// kind; the others hold an export's effects to the test's folder and to
// bounded time.
enum class Role : char {
  any = '.',
  window = 'w',     // invalid handles, a destroyed window, the test's own window
  short_time = 't', // negative counts and a few milliseconds
  command = 'c',    // the test's own child program, or texts that start nothing
  key = 'k',        // virtual-key codes out of range, or a plain letter
  modifiers = 'm',  // modifier sets out of range, or none
  sandbox_path = 'a',  // absolute paths inside the test's folder
  slot = 's',       // file handles: out of range, closed, or open
};

struct Expectation {
  intptr_t failure = 0;  // integer results; text results fail with an empty text
  intptr_t other_failure = INTPTR_MIN;  // a second failure value, where there is one
  intptr_t lowest = INTPTR_MIN, highest = INTPTR_MAX;
  // The arguments (by index) that are paths: an over-long one gives the failure.
  unsigned path_args = 0;
  std::size_t longest_path = 32767;  // the profile functions take 259
  // The argument that is a window: an invalid handle gives the failure.
  int window_arg = -1;
  // The argument that is a file slot: a slot not open gives the failure.
  int slot_arg = -1;
  std::string roles = {};  // one Role per argument; empty means all `any`
  // Skipped by the fault test: blocks, or acts outside the process, even with
  // its held arguments (child processes, key strokes).
  bool outside = false;
};
const Expectation& expectation(const Export& e);

}  // namespace hardening

#endif
