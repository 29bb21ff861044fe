// One macro run, as the editor makes it: lorimax.dll loaded, calls across the
// families that leave state behind in each of them (grown result buffers,
// files still open in every encoding, INI lists and cursors, found windows, a
// fixed time, engine codes, engines loaded and in use), and then the library
// freed or the process ended with all of that still in place. Shared by the
// load-and-unload test and the child program that ends its process instead.
#ifndef LORIMAX_TESTS_FRAME_MACRO_RUN_H
#define LORIMAX_TESTS_FRAME_MACRO_RUN_H

#include <string>
#include <vector>

#include "loaded_library.h"

namespace macro_run {

// The files a run reads, in a folder of its own (an absolute path ending in \).
void lay_out(const std::string& folder);

// The four files a run leaves open, one per way of opening a slot.
inline constexpr const char* kOpenFiles[] = {"bytes.txt", "utf8.txt", "utf8bom.txt", "utf16.txt"};
// Writes them through the slots and closes them: the bytes each must hold.
std::vector<std::string> closed_file_bytes(const LoadedLibrary& lorimax, const std::string& folder);

struct Options {
  bool engines = false;   // Hunspell, MeCab, NKF and the regex DLL loaded, used and left open
  bool child = false;     // GetStdout runs the tests' child program
  bool window = false;    // the found-window table gets the test's own window
};
// The calls of one run; the text of each call whose result was not what the
// call promises (empty when all were).
std::vector<std::string> run(const LoadedLibrary& lorimax, const std::string& folder, const Options& options);

// What a freshly loaded library must give: every family in its start state.
// The mismatches, each described; empty when all hold.
std::vector<std::string> start_state_mismatches(const LoadedLibrary& lorimax);

// The engines a run loads, by the module names they are loaded under.
inline constexpr const char* kEngineModules[] = {"libhunspell.dll", "libmecab.dll", "NKF32.DLL", "hmjre_standin.dll"};

}  // namespace macro_run

#endif
