// Module stop when the library itself is unloaded (freedll): both bridges
// hold a loaded engine, Hunspell with an instance; after FreeLibrary of
// lorimax.dll neither engine may be left in the process.
//   bridge_unload <Hunspell dictionary base name>   exit code 0 when so
#include <windows.h>

#include <cstdint>
#include <cstdio>

template <class Fn>
Fn function(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HMODULE lorimax = LoadLibraryA("lorimax.dll");
  if (!lorimax) return std::fprintf(stderr, "bridge_unload: no lorimax.dll\n"), 2;
  using LoadFn = intptr_t (*)(const char*);
  const bool ready = function<LoadFn>(lorimax, "hunspell_load")("") == 1 &&
                     function<LoadFn>(lorimax, "hunspell_SetDictionary")(argv[1]) == 1 &&
                     function<LoadFn>(lorimax, "mecab_load")("") == 1 && GetModuleHandleA("libhunspell.dll") &&
                     GetModuleHandleA("libmecab.dll");
  if (!ready) return std::fprintf(stderr, "bridge_unload: the engines did not load\n"), 2;
  FreeLibrary(lorimax);
  const bool left = GetModuleHandleA("libhunspell.dll") || GetModuleHandleA("libmecab.dll");
  if (left) std::fprintf(stderr, "bridge_unload: an engine is still loaded after lorimax.dll was unloaded\n");
  return left ? 1 : 0;
}
