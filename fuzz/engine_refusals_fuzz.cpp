// The checks that keep input from the engines a user brings, on any bytes:
// MeCab's option words against a split by the C library's own stream (same
// blanks), a refusal for every option text MeCab has no room for, a settings
// file or dicrc of any lines read through; Hunspell's counted lines against
// a model of the count's piece.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

#include "bridges/mecab_options.h"
#include "bridges/spell_counts.h"
#include "fuzz_tokens.h"

namespace {

namespace mecab = lmx::mecab;

struct Files final : mecab::SettingsFiles {
  std::string rc, dicrc;
  std::string default_rc() override { return "rc"; }
  Read read(const std::string& path, const std::function<bool(std::string_view)>& take) override {
    std::istringstream in(path == "rc" ? rc : dicrc);
    for (std::string line; std::getline(in, line);)
      if (!take(line)) return Read::stopped;
    return Read::whole;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string all(reinterpret_cast<const char*>(data), size);
  const std::size_t cut1 = all.find('\0'), cut2 = cut1 == std::string::npos ? cut1 : all.find('\0', cut1 + 1);
  const std::string options = all.substr(0, cut1);
  Files files;
  if (cut1 != std::string::npos) files.rc = all.substr(cut1 + 1, cut2 == std::string::npos ? cut2 : cut2 - cut1 - 1);
  if (cut2 != std::string::npos) files.dicrc = all.substr(cut2 + 1);

  std::istringstream split(options);
  std::size_t words = 0;
  for (std::string w; split >> w;) ++words;
  fuzz::check(mecab::option_words(options) == words);
  const std::string why = mecab::refusal(options, files);
  if (words > lmx::bridges::kMeCabMostWords) fuzz::check(!why.empty());
  mecab::Settings settings;
  if (why.empty() && words <= lmx::bridges::kMeCabMostWords && mecab::read_options(options, settings))
    fuzz::check(!mecab::refused_switch(settings));

  // A counted line: refused only when it opens a table whose count piece,
  // read as a number, is more than half the file's size.
  const std::uint64_t file_size = size;
  const lmx::bridges::CountedTable* table = lmx::spell::overcounted_table(options, false, file_size);
  if (table) {
    fuzz::check(options.compare(0, table->keyword.size(), table->keyword) == 0);
    std::string piece;
    std::size_t i = 0, n = 0;
    for (std::size_t at = 0; at <= options.size(); ++at) {
      const bool blank = at == options.size() || options[at] == ' ' || options[at] == '\t';
      if (!blank) continue;
      if (at > i && n++ == table->count_piece) piece = options.substr(i, at - i);
      i = at + 1;
    }
    fuzz::check(std::strtoll(piece.c_str(), nullptr, 10) > static_cast<long long>(file_size / 2) || piece.size() > 18);
  }
  return 0;
}
