// No C++ exception may leave an export: a macro host cannot catch one, and
// the process would end. Work that allocates as its input grows runs through
// guarded(), which turns a failed allocation into the export's failure value.
#ifndef LORIMAX_FRAME_GUARDED_H
#define LORIMAX_FRAME_GUARDED_H

#include <new>
#include <stdexcept>

namespace lmx {

template <class Result, class Work>
Result guarded(Result failure, Work work) noexcept {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return failure;
  } catch (const std::length_error&) {
    return failure;
  }
}

}  // namespace lmx

#endif
