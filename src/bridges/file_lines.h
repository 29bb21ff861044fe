// A settings or dictionary file read line by line, as an engine's own
// text-mode read of it gives the lines: the C runtime's text mode turns CR LF
// into LF and ends the file at a Ctrl-Z; a line is what comes before each LF
// (and a last line without one), without it.
#ifndef LORIMAX_BRIDGES_FILE_LINES_H
#define LORIMAX_BRIDGES_FILE_LINES_H

#include <cstdio>
#include <functional>
#include <string_view>

namespace lmx::bridges {

// Reads `file` (opened in text mode) to its end, giving each line to `take`
// in turn, which answers false to stop. False when `take` stopped.
bool read_lines(std::FILE* file, const std::function<bool(std::string_view line)>& take);

}  // namespace lmx::bridges

#endif
