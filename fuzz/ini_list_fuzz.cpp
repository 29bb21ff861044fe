// The INI list against a plain model: for any store contents a profile
// function could leave (strings, the empty string that ends them, or a full
// store without one), the entries, their number and the cursor's walk are
// those of a straightforward split.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_tokens.h"
#include "ini/ini_list.h"

namespace ini = lmx::ini;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::size_t store_chars = 2 + data[0] % 64;
  const std::size_t filled = data[1] % (store_chars + 1);
  const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  for (auto entries : {ini::Entries::keys_with_equals, ini::Entries::all_strings}) {
    ini::IniList<char> list(store_chars, 1 + data[0] % 3, entries);
    list.start();
    char* store = list.store();
    for (std::size_t i = 0; i < store_chars; ++i) store[i] = i < bytes.size() ? bytes[i] : 'x';
    const intptr_t count = list.load(filled);

    // The model: the store ends in two zeros whatever was in it; strings run
    // up to the first empty one.
    std::string model(store, store_chars);
    model[store_chars - 1] = 0;
    model[store_chars - 2] = 0;
    std::vector<std::size_t> strings, kept;
    for (std::size_t p = 0; p < store_chars - 1 && model[p];) {
      strings.push_back(p);
      const std::size_t end = model.find('\0', p);
      if (entries == ini::Entries::all_strings || model.substr(p, end - p).find('=') != std::string::npos) kept.push_back(p);
      p = end + 1;
    }
    if (filled == 0) {
      fuzz::check(count == -1 && !list.loaded() && !list.cursor());
      continue;
    }
    fuzz::check(count == static_cast<intptr_t>(kept.size()));
    for (std::size_t i = 0; i < kept.size(); ++i) fuzz::check(list.entry(static_cast<intptr_t>(i)) == store + kept[i]);
    fuzz::check(!list.entry(static_cast<intptr_t>(kept.size())) && !list.entry(-1));
    // The cursor stands on the first string and steps through them all.
    std::vector<std::size_t> walked;
    if (list.cursor() && *list.cursor()) walked.push_back(static_cast<std::size_t>(list.cursor() - store));
    while (list.step()) walked.push_back(static_cast<std::size_t>(list.cursor() - store));
    fuzz::check(walked == strings);
  }
  return 0;
}
