// Module start and stop. Each subsystem keeps its module-wide state in its own
// translation unit and joins the lifecycle through a start and a stop hook;
// the table of their order lives beside the exports (exports/lifecycle.cpp),
// where all families are known. The frame's own hooks are declared here.
#ifndef LORIMAX_FRAME_LIFECYCLE_H
#define LORIMAX_FRAME_LIFECYCLE_H

namespace lmx {

// Why the module stops. While the process exits, other libraries may already
// be gone: engines are then neither called nor freed, but files still get
// flushed and closed.
enum class StopReason { library_unloaded, process_exiting };

// The frame's start: the result buffers, the version, the library search path.
void frame_start(void* module_handle);
// The frame's stop: the result buffers.
void frame_stop(StopReason reason);

// The C++ runtime's own allocations, given back last (frame/runtime_win.cpp).
void stop_runtime(StopReason reason);

// The result buffers' part of them.
void start_result_buffers();
void stop_result_buffers(StopReason);

}  // namespace lmx

#endif
