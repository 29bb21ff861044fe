// The numbers the library promises its callers, named once for the library,
// its tools and its tests.
#ifndef LORIMAX_FRAME_CONTRACT_H
#define LORIMAX_FRAME_CONTRACT_H

#include <cstddef>

namespace lmx {

// File handles 1 to kSlotCount: how many text files a macro may have open.
inline constexpr int kSlotCount = 10;
// No result buffer ever grows beyond this many characters (bytes or UTF-16
// code units).
inline constexpr std::size_t kResultCap = 1'000'000;
// The most arguments an export takes.
inline constexpr std::size_t kMostArguments = 8;

}  // namespace lmx

#endif
