// The parts of running a child that need no Windows call.
#ifndef LORIMAX_PROCESS_CAPTURE_H
#define LORIMAX_PROCESS_CAPTURE_H

#include <cstddef>
#include <cstdint>

namespace lmx::process {

// Each read from the child's output pipe asks for at most this many bytes,
// straight into the result buffer: large reads keep the capture as fast as a
// plain read loop.
inline constexpr std::size_t kReadChunk = 65536;

// The show state that RUNSYNC gives its child for a show argument: 0 to 10 as
// they are, except 5 and 9, and every other value (negative ones included),
// which show the window normally (1).
int show_state_for(intptr_t show);

// A zero-terminated result cannot hold zero bytes: they are taken out of
// bytes[0, count) in place, the rest keeping its order. The count kept.
std::size_t drop_zero_bytes(char* bytes, std::size_t count);

// Exit codes are unsigned 32-bit values: 0xFFFFFFFF reads 4294967295.
inline intptr_t widened_exit_code(std::uint32_t code) { return static_cast<intptr_t>(code); }

}  // namespace lmx::process

#endif
