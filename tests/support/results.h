// For the Windows tests: leaves text in both result buffers, so that a failure
// that should empty one, or should leave it alone, shows which it did.
#ifndef LORIMAX_TESTS_RESULTS_H
#define LORIMAX_TESTS_RESULTS_H

#include "exports/api.h"

inline void hold_text() {
  SetUTF8ConvertString(L"held");
  SetUTF16ConvertString("held");
}

#endif
