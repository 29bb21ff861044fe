// Writes through lorimax.dll and ends the process without closing the file or
// unloading the library: module stop then runs as the process exits.
#include <cstdio>

#include "exports/api.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const intptr_t h = FileOpen(argv[1], "w");
  if (h == 0 || WrFile(h, "written before exit, never closed") != 1) return 1;
  const intptr_t u = FileOpenW(L"exit-utf8.txt", L"w", L"UTF8");
  if (u == 0 || WrFileW(u, L"z") != 1) return 1;
  return 0;
}
