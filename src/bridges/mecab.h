// The morphological-analysis bridge: MeCab loaded at run time; every analysis
// makes a tagger from the options, analyses into the result buffer and
// destroys the tagger again. Failures leave a numeric code.
#ifndef LORIMAX_BRIDGES_MECAB_H
#define LORIMAX_BRIDGES_MECAB_H

#include <cstdint>

#include "bridges/mecab_analysis.h"
#include "frame/lifecycle.h"

namespace lmx::mecab {

// Module stop: frees the engine and what the bridge made with it; while the
// process exits the engine is only forgotten (exports/lifecycle.cpp).
void stop(StopReason reason);

intptr_t load(const char* file_name);
intptr_t free();
const char* module_file_name();
// N is used by the N-best analysis only.
const char* analyse(Analysis analysis, const char* options, const char* text, intptr_t n = 1);
const char* version();
intptr_t error_code();
const char* error_message();
const char* engine_error_text();

}  // namespace lmx::mecab

#endif
