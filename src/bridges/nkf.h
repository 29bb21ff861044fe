// The NKF bridge: NKF32.DLL at the interface level its version gives, string
// and file conversions with nkf options, and a numeric error code with a
// fixed message per code.
#ifndef LORIMAX_BRIDGES_NKF_H
#define LORIMAX_BRIDGES_NKF_H

#include <cstdint>

#include "frame/lifecycle.h"

namespace lmx::nkf {

// Module stop: frees the engine and what the bridge made with it; while the
// process exits the engine is only forgotten (exports/lifecycle.cpp).
void stop(StopReason reason);

// The four string conversions, which differ only in options and functions.
enum class Conversion { exec, to_hankaku, to_zenkaku_kana, to_mime };

// 1 loaded, 0 failed (code 3 or 5).
intptr_t load(const char* file_name);
intptr_t free();
const char* module_file_name();
// The converted text in the result buffer, or the empty result; `options` is
// used by Conversion::exec only.
const char* convert(Conversion conversion, const char* options, const char* text);
// 1 when the conversion was run, else 0. An existing output is never overwritten.
intptr_t convert_file(const char* path, const char* options);
intptr_t convert_file_to(const char* input, const char* output, const char* options);
const char* guess();
intptr_t kanji_code();
const char* version();
intptr_t error_code();
const char* error_message();

}  // namespace lmx::nkf

#endif
