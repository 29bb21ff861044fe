// Module start and stop. Each subsystem keeps its module-wide state in its own
// translation unit and joins the lifecycle through a start and a stop hook;
// module.cpp calls them in the documented order.
#ifndef LORIMAX_FRAME_LIFECYCLE_H
#define LORIMAX_FRAME_LIFECYCLE_H

namespace lmx {

// Why the module stops. While the process exits, other libraries may already
// be gone: engines are then neither called nor freed, but files still get
// flushed and closed.
enum class StopReason { library_unloaded, process_exiting };

struct StartHook {
  const char* subsystem;
  void (*start)();
};
struct StopHook {
  const char* subsystem;
  void (*stop)(StopReason);
};

void module_start(void* module_handle);
void module_stop(StopReason reason);

// Hooks of the frame itself.
void start_result_buffers();
void stop_result_buffers(StopReason);

}  // namespace lmx

#endif
