// Loads lorimax.dll and the HMJRE.DLL stand-in, matches once, and then either
// unloads lorimax.dll ("unload") or just ends the process ("exit"), so that a
// test can see what module stop does with the engine in each case.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HMODULE lorimax = LoadLibraryA("lorimax.dll");
  if (!lorimax) return 3;
  auto load = reinterpret_cast<intptr_t (*)(const char*)>(reinterpret_cast<void*>(GetProcAddress(lorimax, "hmjre_load")));
  auto match = reinterpret_cast<intptr_t (*)(const char*, const char*, intptr_t, intptr_t)>(
      reinterpret_cast<void*>(GetProcAddress(lorimax, "hmjre_match")));
  if (!load || !match || load("hmjre_standin.dll") != 1 || match("abc", "b", 0, 0) != 1) return 4;
  if (std::strcmp(argv[1], "unload") == 0) {
    FreeLibrary(lorimax);
    return GetModuleHandleA("hmjre_standin.dll") ? 5 : 0;
  }
  return 0;
}
