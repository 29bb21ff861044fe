// What the C++ runtime linked into the DLL would keep beyond an unload. The
// editor loads and frees the library once a macro run, in a process that stays
// up for days, so whatever the runtime takes at load goes back at FreeLibrary.
#include "frame/lifecycle.h"

namespace __gnu_cxx {
void __freeres() noexcept;  // the runtime's own release hook
}

// The runtime keeps the exceptions in flight in per-thread storage, which
// MinGW emulates with a TLS slot, a lock and a block per thread, none of them
// given back at unload: a TLS slot lost per load runs the process out of slots
// after about a thousand macro runs. Every exception in this library is thrown
// and caught within one export call, and the host calls from one thread at a
// time, so one record serves, and defining it here keeps the runtime's
// per-thread one out of the link.
namespace {
struct ExceptionGlobals {
  void* caught_exceptions;
  unsigned int uncaught_exceptions;
} g_exception_globals;
}  // namespace

extern "C" void* __cxa_get_globals() noexcept { return &g_exception_globals; }
extern "C" void* __cxa_get_globals_fast() noexcept { return &g_exception_globals; }

namespace lmx {

// The emergency pool for exceptions thrown when memory is short is allocated
// at load. It goes back only when the library is unloaded: while the process
// exits, another library's code may still throw through this runtime.
void stop_runtime(StopReason reason) {
  if (reason == StopReason::library_unloaded) __gnu_cxx::__freeres();
}

}  // namespace lmx
