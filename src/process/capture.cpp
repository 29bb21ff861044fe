#include "process/capture.h"

#include <algorithm>
#include <cstring>

namespace lmx::process {

int show_state_for(intptr_t show) {
  const auto code = static_cast<std::uint64_t>(show);
  if (code > 10 || code == 5 || code == 9) return 1;
  return static_cast<int>(code);
}

std::size_t drop_zero_bytes(char* bytes, std::size_t count) {
  if (!std::memchr(bytes, 0, count)) return count;
  return static_cast<std::size_t>(std::remove(bytes, bytes + count, '\0') - bytes);
}

}  // namespace lmx::process
