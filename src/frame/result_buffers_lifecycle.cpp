#include "frame/lifecycle.h"
#include "frame/result_buffer.h"

namespace lmx {

// A failed allocation leaves a buffer without a block; the exports that write
// it then try to grow it and fail with their failure value instead of crashing.
void start_result_buffers() {
  result().allocate(kResultInitial);
  wide_result().allocate(kResultInitial);
}

void stop_result_buffers(StopReason) {
  result().release();
  wide_result().release();
}

}  // namespace lmx
