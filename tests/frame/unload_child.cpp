// A macro run that ends its process with everything in place:
//   unload_child exit|ExitProcess|FreeLibrary <folder with a laid-out run>
// exit ends through the C runtime, ExitProcess at once, FreeLibrary frees the
// library first. Exit code 0 when the run's calls did what they promise.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "macro_run.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  auto* lorimax = new LoadedLibrary;  // never destroyed: the end below decides
  if (!lorimax->loaded()) return 3;
  const std::vector<std::string> failures = macro_run::run(*lorimax, argv[2], {.engines = true});
  for (const std::string& f : failures) std::fprintf(stderr, "unload_child: %s\n", f.c_str());
  const int code = failures.empty() ? 0 : 1;
  std::fflush(stderr);
  if (std::strcmp(argv[1], "ExitProcess") == 0) ExitProcess(code);
  if (std::strcmp(argv[1], "FreeLibrary") == 0) lorimax->unload();
  std::exit(code);
}
