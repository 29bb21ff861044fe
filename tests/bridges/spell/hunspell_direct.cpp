// Asks the Windows Hunspell itself, with no lorimax in between, for its
// suggestions: one line per word, "word<TAB>count<TAB>suggestion...".
// The Linux build orders tied suggestions differently, so the bridge's lists
// are held against these. Hunspell cuts its search short by the clock, which
// a busy machine reaches: a word whose two lists differ is asked again, and
// the longest list (the least cut) is written.
//
//   hunspell_direct <library> <affix> <dictionary> <words> <output>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

struct Hunhandle;
using CreateFn = Hunhandle* (*)(const char*, const char*);
using SuggestFn = int (*)(Hunhandle*, char***, const char*);
using FreeListFn = void (*)(Hunhandle*, char***, int);

template <class Fn>
Fn function(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int main(int argc, char** argv) {
  if (argc != 6) return std::fprintf(stderr, "usage: hunspell_direct library affix dictionary words output\n"), 2;
  HMODULE library = LoadLibraryA(argv[1]);
  if (!library) return std::fprintf(stderr, "hunspell_direct: cannot load %s\n", argv[1]), 1;
  const auto create = function<CreateFn>(library, "Hunspell_create");
  const auto suggest = function<SuggestFn>(library, "Hunspell_suggest");
  const auto free_list = function<FreeListFn>(library, "Hunspell_free_list");
  if (!create || !suggest || !free_list) return std::fprintf(stderr, "hunspell_direct: exports missing\n"), 1;
  Hunhandle* hunspell = create(argv[2], argv[3]);
  std::ifstream words(argv[4], std::ios::binary);
  std::ofstream out(argv[5], std::ios::binary);
  auto suggestions = [&](const std::string& word) {
    char** list = nullptr;
    const int count = suggest(hunspell, &list, word.c_str());
    std::vector<std::string> found(list, list + (count > 0 ? count : 0));
    free_list(hunspell, &list, count);
    return found;
  };
  int unsteady = 0;
  for (std::string word; std::getline(words, word);) {
    if (!word.empty() && word.back() == '\r') word.pop_back();
    if (word.empty()) continue;
    std::vector<std::string> longest = suggestions(word);
    if (std::vector<std::string> second = suggestions(word); second != longest) {
      ++unsteady;
      if (second.size() > longest.size()) longest = second;
      for (int again = 0; again < 3; ++again)
        if (auto list = suggestions(word); list.size() > longest.size()) longest = list;
    }
    out << word << '\t' << longest.size();
    for (const std::string& s : longest) out << '\t' << s;
    out << '\n';
  }
  std::printf("hunspell_direct: %d word(s) gave two different lists\n", unsteady);
  return out ? 0 : 1;
}
