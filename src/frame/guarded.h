// No C++ exception may leave an export: a macro host cannot catch one, and
// the process would end. Work that allocates, or calls anything that may
// throw, runs through guarded(), which turns any exception into the export's
// failure value.
#ifndef LORIMAX_FRAME_GUARDED_H
#define LORIMAX_FRAME_GUARDED_H

namespace lmx {

template <class Result, class Work>
Result guarded(Result failure, Work work) noexcept {
  try {
    return work();
  } catch (...) {
    return failure;
  }
}

}  // namespace lmx

#endif
