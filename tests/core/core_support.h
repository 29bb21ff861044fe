// What the native core tests share.
#ifndef LORIMAX_TESTS_CORE_SUPPORT_H
#define LORIMAX_TESTS_CORE_SUPPORT_H

#include "frame/result_buffer.h"

// A result buffer of the initial size, as the loaded library has one.
inline lmx::NarrowResult& buffer() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultInitial);
  return b;
}

#endif
