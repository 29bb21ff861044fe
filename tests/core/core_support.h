// What the native core tests share.
#ifndef LORIMAX_TESTS_CORE_SUPPORT_H
#define LORIMAX_TESTS_CORE_SUPPORT_H

#include <string>

#include "cp932_model.h"
#include "frame/cp932.h"
#include "frame/result_buffer.h"

// A result buffer of the initial size, as the loaded library has one.
inline lmx::NarrowResult& buffer() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultInitial);
  return b;
}

// The case folds by their definition, a character at a time, walked by the
// codec's byte classes rather than the library's.
inline std::string model_fold(const std::string& t, unsigned mode, bool upper) { return cp932_model::fold(t, mode, upper); }

#endif
