// Every export of the table as something a test can call with arguments
// chosen at run time, and what the hardening tests expect of each: the
// table's promises, and how the arguments of the exports with effects outside
// the process are held.
#ifndef LORIMAX_TESTS_HARDENING_CALLS_H
#define LORIMAX_TESTS_HARDENING_CALLS_H

#include <cstdint>
#include <string>
#include <vector>

#include "exports/caller.h"
#include "exports/info.h"

namespace hardening {

using Arg = lmx::CallArg;
using Outcome = lmx::CallResult;

struct Export {
  const lmx::ExportInfo& info;
  lmx::Caller caller;
  void* address;  // in the library the tests link
  Outcome call(const Arg* args) const { return caller(address, args); }
  // The same export at an address looked up in another copy of the library.
  Outcome call_at(void* other, const Arg* args) const { return caller(other, args); }
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
  const lmx::ExportInfo& info;  // the failure, range and marks come from the table
  std::string roles;  // one Role per argument; empty means all `any`
  // Skipped by the fault test: blocks, or acts outside the process, even with
  // its held arguments (child processes, key strokes).
  bool outside = false;
};
Expectation expectation(const Export& e);

}  // namespace hardening

#endif
