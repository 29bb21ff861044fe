// `lmx check`: holds a macro's calls of lorimax to the table of exports, with
// no Windows header. The macro comes as UTF-8 (lmx decodes the file).
//
// Every dllfunc, dllfuncstr, dllfuncw and dllfuncstrw call whose export name
// is a string literal is checked: the name is one of lorimax's (else the
// nearest names), the call form fits the export's kinds (exports/call_form.h),
// the number of arguments, and that no argument is plainly a string where the
// export takes an integer or a number where it takes a string (a literal, a
// $ or # variable, a dllfunc* call). Calls through a handle from a loaddll of
// another file are not lorimax's and are skipped; a handle whose loaddll is
// not in sight is checked only when the name is one of lorimax's. Comments,
// strings with escaped quotes and calls over several lines are read; what
// cannot be read is reported and the check goes on after it.
#ifndef LORIMAX_TOOLS_LMX_CHECK_H
#define LORIMAX_TOOLS_LMX_CHECK_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "exports/info.h"
#include "tools/lmx/text.h"

namespace lmx::tool {

struct Finding {
  std::size_t line, column;  // from 1; the column counts characters
  Message message;
};

// The findings of one macro, in the order of the text.
std::vector<Finding> check_macro(std::string_view utf8);

// An export's arguments with their kinds, as "I number, I mode".
std::string signature(const lmx::ExportInfo& e);

}  // namespace lmx::tool

#endif
