#include "bridges/file_lines.h"

#include <string>

namespace lmx::bridges {

bool read_lines(std::FILE* file, const std::function<bool(std::string_view line)>& take) {
  std::string line;
  char chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (got == 0) break;
    std::string_view rest(chunk, got);
    for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
      if (line.empty()) {
        if (!take(rest.substr(0, end))) return false;
      } else {
        line.append(rest.substr(0, end));
        if (!take(line)) return false;
        line.clear();
      }
    }
    line.append(rest);
  }
  return line.empty() || take(line);
}

}  // namespace lmx::bridges
