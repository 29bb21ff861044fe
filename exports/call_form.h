// The call-form rule, kept once: which of the macro language's calls passes
// an export's kinds. The result picks the string or number form, a wide
// argument or result the W form; a narrow result with a wide argument has
// none. The reference states it for every export (tools/gen_reference.cpp),
// lmx lists it and `lmx check` holds macros to it.
#ifndef LORIMAX_EXPORTS_CALL_FORM_H
#define LORIMAX_EXPORTS_CALL_FORM_H

#include "exports/info.h"

namespace lmx {

// "dllfunc", "dllfuncw", "dllfuncstr" or "dllfuncstrw"; null when none fits.
constexpr const char* call_form(char result, const char* kinds) {
  bool wide_argument = false;
  for (const char* k = kinds; *k; ++k) wide_argument = wide_argument || *k == 'W';
  switch (result) {
    case 'I': return wide_argument ? "dllfuncw" : "dllfunc";
    case 'W': return "dllfuncstrw";
    default: return wide_argument ? nullptr : "dllfuncstr";
  }
}
constexpr const char* call_form(const ExportInfo& e) { return call_form(e.result[0], e.kinds); }

}  // namespace lmx

#endif
