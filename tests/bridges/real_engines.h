// What the tests of the real Hunspell and MeCab share: where Debian's
// dictionaries are, and the answers that Debian's tools and the direct engine
// calls wrote before the tests (engine_tools.sh, hunspell_direct.exe).
#ifndef LORIMAX_TESTS_BRIDGES_REAL_ENGINES_H
#define LORIMAX_TESTS_BRIDGES_REAL_ENGINES_H

#include <string>
#include <vector>

#include "bridges_support.h"

namespace bridges_test {

// Debian's dictionaries, reached through Wine's drive for the root.
inline const std::string kHunspellBase = "Z:\\usr\\share\\hunspell\\en_US";
inline const std::string kIpadic = "Z:\\var\\lib\\mecab\\dic\\ipadic-utf8";
inline const std::string kAnswers = "bridges-fixtures\\";

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace bridges_test

#endif
