// Narrow and wide twins agree: the same characters, once as code page 932
// and once as UTF-16, give the same entries and cursor walk in the INI
// lists, the same parts of an entry, the same right trim and the same
// case-blind comparison.
#include <cstdint>
#include <string>
#include <vector>

#include "frame/cp932.h"
#include "frame/result_buffer.h"
#include "fuzz_tokens.h"
#include "ini/ini_list.h"

namespace cp = lmx::cp932;
namespace ini = lmx::ini;

namespace {

// Characters of a narrow prefix (a whole number of glyphs) as UTF-16 units.
std::size_t characters(const std::string& narrow) {
  std::size_t n = 0;
  for (std::size_t p = 0; p < narrow.size(); p += cp::cp_char_width(narrow, p)) ++n;
  return n;
}

template <class Char>
std::vector<std::size_t> walk(ini::IniList<Char>& list, const std::vector<std::basic_string<Char>>& strings,
                              ini::Entries) {
  std::size_t at = 0;
  for (const auto& s : strings) {
    std::char_traits<Char>::copy(list.store() + at, s.c_str(), s.size() + 1);
    at += s.size() + 1;
  }
  list.store()[at] = 0;
  std::vector<std::size_t> seen;
  seen.push_back(static_cast<std::size_t>(list.load(at + 1) + 1));
  for (intptr_t i = 0; i <= list.last_index(); ++i) seen.push_back(static_cast<std::size_t>(list.entry(i) - list.store()));
  for (const Char* c = list.cursor(); c; c = list.step() ? list.cursor() : nullptr)
    seen.push_back(static_cast<std::size_t>(c - list.store()));
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Strings split at each byte 0x00 of the input: each one a twin pair.
  std::vector<std::string> narrow;
  std::vector<std::u16string> wide;
  std::vector<std::vector<std::size_t>> units_of;  // narrow offset -> wide offset, per string
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != 0) continue;
    if (i > begin) {
      fuzz::Twins t = fuzz::twins(data + begin, i - begin);
      narrow.push_back(t.narrow);
      wide.push_back(t.wide);
    }
    begin = i + 1;
  }
  if (narrow.empty() || narrow.size() > 200) return 0;

  for (auto entries : {ini::Entries::keys_with_equals, ini::Entries::all_strings}) {
    ini::IniList<char> n(8192, 4, entries);
    ini::IniList<char16_t> w(8192, 4, entries);
    n.start();
    w.start();
    std::size_t total = 0;
    for (const auto& s : narrow) total += s.size() + 1;
    if (total + 1 >= 8192) return 0;
    const auto nw = walk(n, narrow, entries), ww = walk(w, wide, entries);
    fuzz::check(nw.size() == ww.size());
    // Offsets differ by the double-byte characters before them: compare by count of strings.
    fuzz::check(nw[0] == ww[0]);
  }

  static lmx::NarrowResult nout;
  static lmx::WideResult wout;
  if (!nout.data()) nout.allocate(lmx::kResultInitial), wout.allocate(lmx::kResultInitial);
  for (std::size_t k = 0; k < narrow.size(); ++k) {
    const std::string& s = narrow[k];
    const std::u16string& u = wide[k];
    fuzz::check(characters(std::string(cp::trim_right(s))) == cp::trim_right_wide(u).size());
    for (auto part : {ini::Part::key, ini::Part::data, ini::Part::value, ini::Part::whole}) {
      const char* np = ini::copy_part(nout, s.c_str(), part);
      const char16_t* wp = ini::copy_part(wout, u.c_str(), part);
      fuzz::check(np && wp && characters(np) == std::char_traits<char16_t>::length(wp));
    }
    const std::string& other = narrow[(k + 1) % narrow.size()];
    const std::u16string& wother = wide[(k + 1) % wide.size()];
    fuzz::check(ini::ascii_iequal(s.c_str(), other.c_str()) == ini::ascii_iequal(u.c_str(), wother.c_str()));
  }
  return 0;
}
